// Fakes and builders of the frame engine tests.
#include "frame_engine_fixture.h"

#include "Corvane.h"
#include "drawing_helpers.h"
#include "show_messages.h"

#include <sstream>

namespace enginetest {

namespace {

DWORD TopLeftPixel(HDC dc)
{
    const COLORREF c = ::GetPixel(dc, 0, 0);
    return (static_cast<DWORD>(GetRValue(c)) << 16) | (static_cast<DWORD>(GetGValue(c)) << 8) | GetBValue(c);
}

std::string Narrow(LPCWSTR text)
{
    return std::string(CStringA(text).GetString());
}

} // namespace

CFakeDocument::CFakeDocument()
{
    m_settings.m_width = 8;
    m_settings.m_height = 4;
    m_settings.m_frameRate = 25;
    m_previewSettings.m_width = 8;
    m_previewSettings.m_height = 4;
    m_previewSettings.m_frameRate = 25;
}

CFakeDocument::~CFakeDocument()
{
    for (INT_PTR s = 0; s < m_segments.GetSize(); ++s) {
        for (INT_PTR v = 0; v < m_segments[s]->m_views.GetSize(); ++v) {
            ReleaseDibBuffer(m_segments[s]->m_views[v]->m_programBuffer);
            ReleaseDibBuffer(m_segments[s]->m_views[v]->m_blendBuffer);
        }
    }
    FreeSegments(m_segments);
    FreeSegments(m_previewSegments);
}

CString CFakeDocument::GetLangText(LPCTSTR section, int key)
{
    CString text;
    text.Format(L"%s %d", section, key);
    return text;
}

QvSegmentGourp* CFakeDocument::AddSegment(int totalFrames)
{
    auto* segment = new QvSegmentGourp;
    segment->m_pSegmentInfo->m_number = static_cast<int>(m_segments.GetSize()) + 1;
    segment->m_pSegmentInfo->m_totalFrames = totalFrames;
    m_segments.Add(segment);
    return segment;
}

void CFakeDocument::CountFrames()
{
    int total = 0;
    for (INT_PTR s = 0; s < m_segments.GetSize(); ++s)
        total += m_segments[s]->m_pSegmentInfo->m_totalFrames;
    m_settings.m_totalFrames = total;
    m_settings.m_playFrames = total;
}

ProgramView* AddView(QvSegmentGourp* segment, const CRect& rect, std::initializer_list<Program*> programs)
{
    auto* view = new ProgramView;
    view->InitNewView(segment->m_pSegmentInfo->m_number, static_cast<int>(segment->m_views.GetSize()) + 1, 1, 1);
    view->m_projectRect = rect;
    int frames = 0;
    for (Program* program : programs) {
        view->m_programs.Add(program);
        frames += program->m_endFrame - program->m_startFrame + 1;
    }
    view->m_frames = frames;
    segment->m_views.Add(view);
    return view;
}

ProgramColorEffect* SolidEffect(COLORREF colour, int frames)
{
    auto* effect = new ProgramColorEffect;
    effect->m_style = 0;
    effect->m_orgFrames = frames;
    effect->m_startFrame = 1;
    effect->m_endFrame = frames;
    auto* colours = new ColorTemplate;
    colours->m_changeMode = ColorTemplate::CHANGE_SOLID;
    colours->m_colors.Add(colour);
    effect->m_templates.Add(colours);
    return effect;
}

ProgramVideo* MediaProgram(int mediaKind, const CString& path, int frames)
{
    auto* video = new ProgramVideo;
    video->m_mediaKind = mediaKind;
    video->m_filePath = path;
    video->m_orgFrames = frames;
    video->m_startFrame = 1;
    video->m_endFrame = frames;
    return video;
}

int CFakeAviWriter::Init(LPCWSTR path, int width, int height, int bits, int framesPerSecond)
{
    m_paths.push_back(path);
    m_width = width;
    m_height = height;
    m_bits = bits;
    m_rate = framesPerSecond;
    return m_initResult;
}

int CFakeAviWriter::WriteFrameDC(HDC dc)
{
    if (static_cast<int>(m_frames.size()) == m_failWriteAt)
        return -1;
    m_frames.push_back(TopLeftPixel(dc));
    return 0;
}

int CFakeAviWriter::End()
{
    ++m_ends;
    return m_endResult;
}

int CFakeRecorder::SetSecurityFlag(int flag)
{
    m_log.push_back(L"security " + std::to_wstring(flag));
    return flag;
}

int CFakeRecorder::SetFourColor(int screen, int mode, int whiteValue)
{
    m_log.push_back(
        L"fourcolor " + std::to_wstring(screen) + L" " + std::to_wstring(mode) + L" " + std::to_wstring(whiteValue));
    return 0;
}

int CFakeRecorder::RecordingInit(int screen, LPCWSTR path, unsigned framesPerSecond)
{
    m_log.push_back(L"init " + std::to_wstring(screen) + L" " + path + L" " + std::to_wstring(framesPerSecond));
    return m_initResult;
}

int CFakeRecorder::RecordingFrameDC(HDC, int, int, int, double* sizeMiB)
{
    if (m_frames == m_failFrameAt) {
        m_log.push_back(L"frame failed");
        return -3;
    }
    ++m_frames;
    *sizeMiB = m_reportedSize;
    return 0;
}

int CFakeRecorder::RecordingStop(const RecordingSettings& settings)
{
    std::wstring line = L"stop " + std::to_wstring(settings.playSeconds) + L" " + std::to_wstring(settings.slotCount);
    line += settings.password != nullptr ? L" " + std::wstring(settings.password, settings.password + 4) : L" none";
    m_log.push_back(line);
    return m_stops++ == m_failStopAt ? -3 : 0;
}

int CFakeDecoders::VideoOpen(
    LPCWSTR path, HDC, int x, int y, int width, int height, int cropLeft, int cropTop, int cropRight, int cropBottom)
{
    std::ostringstream line;
    line << "video open " << Narrow(path) << " " << x << "," << y << "," << width << "," << height << " " << cropLeft
         << "," << cropTop << "," << cropRight << "," << cropBottom;
    Log(line.str());
    m_videoFrame = 0;
    return m_openResult;
}
void CFakeDecoders::VideoClose(int handle)
{
    Log("video close " + std::to_string(handle));
}
void CFakeDecoders::VideoForward(int handle)
{
    ++m_videoFrame;
    Log("video forward " + std::to_string(handle));
}
void CFakeDecoders::VideoSeekTo(int handle, int frame, BOOL draw)
{
    m_videoFrame = frame - 1;
    Log("video seek " + std::to_string(handle) + " " + std::to_string(frame) + " " + std::to_string(draw));
}
int CFakeDecoders::VideoGetFrame(int)
{
    return m_videoFrame;
}
int CFakeDecoders::SwfOpen(LPCWSTR path, HDC, int, int, int width, int height)
{
    Log("swf open " + Narrow(path) + " " + std::to_string(width) + "x" + std::to_string(height));
    return m_openResult;
}
void CFakeDecoders::SwfSeekTo(int handle, int frame)
{
    Log("swf seek " + std::to_string(handle) + " " + std::to_string(frame));
}
void CFakeDecoders::SwfForward(int handle)
{
    Log("swf forward " + std::to_string(handle));
}
void CFakeDecoders::SwfClose(int handle)
{
    Log("swf close " + std::to_string(handle));
}
void CFakeDecoders::SwfClearEnv()
{
    Log("swf clear");
}
int CFakeDecoders::TolOpen(LPCWSTR path, HDC, int, int, int width, int height)
{
    Log("tol open " + Narrow(path) + " " + std::to_string(width) + "x" + std::to_string(height));
    return m_openResult;
}
void CFakeDecoders::TolSeekTo(int handle, int frame)
{
    Log("tol seek " + std::to_string(handle) + " " + std::to_string(frame));
}
void CFakeDecoders::TolForward(int handle)
{
    Log("tol forward " + std::to_string(handle));
}
void CFakeDecoders::TolClose(int handle)
{
    Log("tol close " + std::to_string(handle));
}

void CFakeCanvas::SetFrame(CDC* image, int, int)
{
    if (image != nullptr)
        m_frames.push_back(TopLeftPixel(image->GetSafeHdc()));
}

void EngineFixture::SetUp()
{
    ASSERT_TRUE(m_host.CreateEx(0, nullptr, L"engine host", WS_POPUP, 0, 0, 320, 200, nullptr, nullptr));
}

void EngineFixture::TearDown()
{
    if (m_engine != nullptr) {
        m_engine->DestroyWindow();
        delete m_engine;
        m_engine = nullptr;
    }
    m_host.DestroyWindow();
}

void EngineFixture::CreateEngine()
{
    m_engine = new CCanvasContainer;
    m_engine->SetDocument(&m_doc);
    m_engine->SetCanvas(&m_canvas);
    m_engine->SetAviWriter(&m_avi);
    m_engine->SetRecorder(&m_recorder);
    m_engine->SetDecoders(&m_decoders);
    ASSERT_TRUE(m_engine->Create(L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 320, 200), &m_host, 100));
    m_engine->RebuildFrameBuffers();
    ASSERT_NE(nullptr, m_engine->GetOutputDC());
    TakeFramesShown();
    m_canvas.m_frames.clear(); // the relayout's hand-over of the empty image
}

DWORD EngineFixture::OutputPixel(int x, int y) const
{
    ::GdiFlush();
    const DWORD* bits = m_engine->GetOutputBits();
    const int w = m_engine->GetFrameWidth();
    const int h = m_engine->GetFrameHeight();
    return bits[static_cast<size_t>(h - 1 - y) * w + x] & 0xFFFFFF;
}

std::vector<int> EngineFixture::TakeFramesShown()
{
    std::vector<int> frames;
    MSG msg;
    while (::PeekMessageW(&msg, m_host.GetSafeHwnd(), WM_FRAME_SHOWN, WM_FRAME_SHOWN, PM_REMOVE))
        frames.push_back(static_cast<int>(msg.wParam));
    return frames;
}

} // namespace enginetest
