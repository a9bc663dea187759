// The project document: the active segment list, the layout and its pixels,
// the output settings and the project page of the property panel.
#include "dornel_doc.h"

#include "AnsiText.h"
#include "TextHelpers.h"
#include "program_color_effect_plus.h"
#include "project_file.h"

#include <fw_langtext.h>

namespace {

// The message that counts the lamps of a layout just read.
constexpr int kHintPixelCount = 90;

} // namespace

ProjSet* CDornelDoc::GetActiveProjSet()
{
    return m_listSelector != 0 ? &m_projectSettings : &m_previewSettings;
}

SegmentList& CDornelDoc::GetActiveSegments()
{
    return m_listSelector != 0 ? m_segments : m_previewSegments;
}

void CDornelDoc::ClearLayout()
{
    for (INT_PTR i = 0; i < m_pixels.GetSize(); ++i)
        delete m_pixels.GetAt(i);
    m_pixels.RemoveAll();
    CString layout = m_projectSettings.m_layoutFile;
    if (!layout.IsEmpty() && ::GetFileAttributesW(layout) != INVALID_FILE_ATTRIBUTES)
        ::DeleteFileW(layout);
    if (!m_pixPath.IsEmpty() && ::GetFileAttributesW(m_pixPath) != INVALID_FILE_ATTRIBUTES)
        ::DeleteFileW(m_pixPath);
    m_projectSettings.m_layoutFile.Empty();
    m_pixPath.Empty();
}

void CDornelDoc::SetLayoutFile(const CString& path)
{
    StopPlayback();
    {
        CSingleLock lock(&m_mutex, TRUE);
        if (m_projectSettings.m_layoutFile != path)
            m_projectSettings.m_layoutFile = path;
    }
    SetModifiedFlag();
}

void CDornelDoc::RebindFixtureScanItems()
{
    SegmentList& segments = GetActiveSegments();
    for (INT_PTR s = 0; s < segments.GetSize(); ++s) {
        ProgramViewList& views = segments.GetAt(s)->m_views;
        for (INT_PTR v = 0; v < views.GetSize(); ++v) {
            ProgramList& programs = views.GetAt(v)->m_programs;
            for (INT_PTR p = 0; p < programs.GetSize(); ++p) {
                Program* program = programs.GetAt(p);
                if (!program->IsKindOf(RUNTIME_CLASS(ProgramColorEffectPlusArray)))
                    continue;
                ColorPlusItemList& items = static_cast<ProgramColorEffectPlusArray*>(program)->m_items;
                for (INT_PTR i = 0; i < items.GetSize(); ++i) {
                    if (items.GetAt(i)->m_style == ProgramColorEffectPlus::STYLE_FIXTURE_SCAN)
                        ProgramColorEffectPlus::SetRandomAnimation(items.GetAt(i), m_pPixelMap);
                }
            }
        }
    }
}

void CDornelDoc::LoadLayoutPixels(const CString& pixPath)
{
    m_pixPath = pixPath;
    std::pair<int, int> size;
    {
        CSingleLock lock(&m_mutex, TRUE);
        FreePixPortMap(*m_pPixelMap);
        size = ReadPointListFile(pixPath, *m_pPixelMap);
        for (INT_PTR i = 0; i < m_pixels.GetSize(); ++i)
            delete m_pixels.GetAt(i);
        m_pixels.RemoveAll();
        m_maxPixelsPerPort = 0;
        for (INT_PTR c = 0; c < m_pPixelMap->m_controllers.GetSize(); ++c) {
            PixController* controller = m_pPixelMap->m_controllers.GetAt(c);
            for (INT_PTR p = 0; p < controller->GetSize(); ++p) {
                PixPort* port = controller->GetAt(p);
                for (INT_PTR i = 0; i < port->GetSize(); ++i)
                    m_pixels.Add(new S_PixPoint(*port->GetAt(i)));
                if (port->GetSize() > m_maxPixelsPerPort)
                    m_maxPixelsPerPort = static_cast<int>(port->GetSize());
            }
        }
        m_controllerCount
            = m_pPixelMap->m_controllers.GetSize() > 0 ? static_cast<int>(m_pPixelMap->m_controllers.GetSize()) : 1;
        if (m_maxPixelsPerPort == 0)
            m_maxPixelsPerPort = std::max(m_projectSettings.m_width, m_projectSettings.m_height);
        RebindFixtureScanItems();
    }
    if (m_segments.GetSize() > 0)
        Host().EnableFileMenuItem(ID_DOC_EXPORT_OFFLINE, TRUE);
    SetModifiedFlag();

    int w = size.first;
    int h = size.second;
    if (w != 0 && h != 0 && (w != m_projectSettings.m_width || h != m_projectSettings.m_height)) {
        m_projectSettings.m_width = w;
        m_projectSettings.m_height = h;
        SendPanel(m_pViewPanel, WM_CANVAS_COMMAND, CANVAS_SET_HEIGHT, h);
        NotifyPanel(m_pPropertyPanel);
    }
    SendPanel(m_pViewPanel, WM_CANVAS_COMMAND, CANVAS_REBUILD_DOT_MASK, 0);
    SetZoomLocked(100, CANVAS_ZOOM_CENTRE);
    if (m_opening == 0) {
        const CString text = LangText(L"HINT", kHintPixelCount, L"项目总共使用了 %d 个像素 ");
        AfxMessageBox(AfxLangTextWithNumbers(text, { static_cast<int>(m_pixels.GetSize()) }));
    }
    m_opening = 0;
}

void CDornelDoc::ExportAvi()
{
    StopPlayback();
    if (m_segments.GetSize() > 0) {
        PostPanel(m_pViewPanel, WM_EXPORT_AVI, 0, 0);
        return;
    }
    Host().EnableFileMenuItem(ID_DOC_EXPORT_OFFLINE, FALSE);
    Host().EnableFileMenuItem(ID_DOC_EXPORT_AVI, FALSE);
}

void CDornelDoc::StartOfflineRecording()
{
    if (m_segments.GetSize() > 0) {
        m_playState = PLAY_STOPPED;
        Host().StopPlay();
        PostPanel(m_pViewPanel, WM_RECORD_OFFLINE, 0, 0);
        return;
    }
    Host().EnableFileMenuItem(ID_DOC_EXPORT_OFFLINE, FALSE);
    Host().EnableFileMenuItem(ID_DOC_EXPORT_AVI, FALSE);
}

void CDornelDoc::SetOfflineFolder(const CString& folder)
{
    if (m_offlineFolder != folder)
        m_offlineFolder = folder;
}

void CDornelDoc::SetOfflinePassword(const CString& password, int enabled)
{
    m_offlineEncryption = enabled;
    // At most four bytes are taken; a shorter password leaves zeros behind
    // instead of reading past its end.
    CStringA bytes = WideToAnsi(password);
    for (int i = 0; i < 4; ++i)
        m_offlinePassword[i] = i < bytes.GetLength() ? bytes[i] : '\0';
}

int CDornelDoc::SetProjectWidth(int value)
{
    {
        CSingleLock lock(&m_mutex, TRUE);
        m_projectSettings.m_width = value;
    }
    SendPanel(m_pViewPanel, WM_CANVAS_COMMAND, CANVAS_SET_WIDTH, value);
    return 1;
}

int CDornelDoc::SetProjectHeight(int value)
{
    {
        CSingleLock lock(&m_mutex, TRUE);
        m_projectSettings.m_height = value;
    }
    SendPanel(m_pViewPanel, WM_CANVAS_COMMAND, CANVAS_SET_HEIGHT, value);
    return 1;
}

int CDornelDoc::OnProjectPropertyChanged(int id, const CString& value, BOOL flag)
{
    int number = WideTextToInt(value);
    switch (id) {
    case 1:
    case 2:
        // A canvas side outside what a project can hold would leave the
        // engine without frame buffers; such a value is not taken.
        if (number >= 1 && number <= kMaxProjectSide) {
            if (id == 1)
                SetProjectWidth(number);
            else
                SetProjectHeight(number);
            RefitScanLines();
        }
        break;
    case 3:
        // The play timer divides by the rate: only rates the project file
        // accepts are taken.
        if (number >= 1 && number <= kMaxFrameRate) {
            {
                CSingleLock lock(&m_mutex, TRUE);
                m_projectSettings.m_frameRate = number;
            }
            SendPanel(m_pViewPanel, WM_CANVAS_COMMAND, CANVAS_SET_FRAME_RATE, number);
        }
        break;
    case 5: {
        int type;
        {
            CSingleLock lock(&m_mutex, TRUE);
            m_projectSettings.m_layoutType = value.IsEmpty() ? 0 : WideTextToInt(value.Left(1));
            type = m_projectSettings.m_layoutType;
        }
        SendPanel(m_pViewPanel, WM_CANVAS_COMMAND, CANVAS_SET_DOT_LAYOUT, type);
        break;
    }
    case 6:
        if (value.IsEmpty() || ::GetFileAttributesW(value) != INVALID_FILE_ATTRIBUTES) {
            {
                CSingleLock lock(&m_mutex, TRUE);
                m_projectSettings.m_backgroundImage = value;
            }
            SendPanel(m_pViewPanel, WM_CANVAS_COMMAND, CANVAS_SET_BACKGROUND,
                reinterpret_cast<LPARAM>(&m_projectSettings.m_backgroundImage));
        }
        break;
    case 27: {
        CSingleLock lock(&m_mutex, TRUE);
        m_projectSettings.m_playFrames = number;
    }
        NotifyPanel(m_pViewPanel);
        break;
    case 77: {
        int type;
        {
            CSingleLock lock(&m_mutex, TRUE);
            m_projectSettings.m_layoutMask = flag ? -1 : 0;
            type = m_projectSettings.m_layoutType;
        }
        SendPanel(m_pViewPanel, WM_CANVAS_COMMAND, CANVAS_SET_DOT_LAYOUT, type);
        break;
    }
    default:
        break;
    }
    SetModifiedFlag();
    return 1;
}
