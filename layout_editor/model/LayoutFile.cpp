// File side of the current layout format: safe replacement on save, reading
// whole files, and handing parsed contents to the model, the view and the
// editor-wide values.
#include "LayoutFile.h"

#include <algorithm>
#include <atomic>
#include <new>
#include <random>

#include <fw_replacefile.h>

#include "AppPaths.h"
#include "EditorSettings.h"
#include "IniFile.h"
#include "LampTypeList.h"
#include "LayoutLangText.h"
#include "LayoutMessages.h"

namespace {

constexpr LONGLONG kMaxLayoutFileBytes = 0x40000000; // 1 GiB

class CHandle {
public:
    explicit CHandle(HANDLE handle)
        : m_handle(handle)
    {
    }
    ~CHandle() { Close(); }
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }
    bool Close()
    {
        bool ok = true;
        if (IsOpen())
            ok = ::CloseHandle(m_handle) != FALSE;
        m_handle = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE m_handle;
};

// The file being saved: a temporary beside the target, which replaces the
// target on Commit only when every piece was written.
class CReplacingFileSink : public ILayoutByteSink {
public:
    explicit CReplacingFileSink(const CString& path)
        : m_path(path)
    {
    }
    bool Begin(size_t) override { return m_file.Open(m_path) != FALSE; }
    bool Put(const BYTE* data, size_t count) override { return m_file.Write(data, count) != FALSE; }
    bool Commit() { return m_file.Commit() != FALSE; }

private:
    CString m_path;
    CReplacingFile m_file;
};

void StoreBackgroundPath(const CString& background)
{
    CINI ini;
    if (ini.SetPath(GetConfigFolder() + L"Other.ini"))
        ini.WriteLayoutString(background, L"strBKImg");
}

void ApplyContents(const BYTE* data, const LayoutFileContents& c, ILayoutFileView* view, CLayoutData& model)
{
    if (view != nullptr)
        view->ResizeLayout(c.width, c.height);
    else
        model.m_templateKind = c.templateKind;
    model.m_width = c.width;
    model.m_height = c.height;
    model.ResetPorts(c.portCount, c.pointsPerPort, CString(L"RGB"), 0);

    // Lamps are decoded port by port into one reused buffer, straight from
    // the file's bytes.
    std::vector<CLPoint> lamps;
    for (size_t p = 0; p < c.ports.size(); ++p) {
        const LayoutFilePort& stored = c.ports[p];
        LayoutPort record;
        record.m_lampFormat = stored.lampFormat;
        record.m_lampFormatIndex = stored.lampFormatIndex;
        record.m_colour = stored.colour;
        record.m_dataReversed = stored.dataReversed;
        record.m_brightness.assign(kPortTableSize, 100);
        std::copy(stored.brightness.begin(), stored.brightness.end(), record.m_brightness.begin());
        record.m_gamma.assign(kPortTableSize, 0);
        std::copy(stored.gamma.begin(), stored.gamma.end(), record.m_gamma.begin());
        record.m_adjusted = (!stored.brightness.empty() || !stored.gamma.empty()) ? 1 : 0;
        // The lamps go straight into the slot the record fills: the port's
        // own capacity cuts the count, the layout's capacity cuts it again.
        const int slot = model.GetUsedCount();
        if (!model.AppendLoadedPort(record))
            break;
        const int kept = std::min({ stored.lampCount, stored.capacity, kMaxPortPoints });
        if (kept > 0) {
            lamps.resize(static_cast<size_t>(kept));
            DecodeLayoutLamps(data, c, stored.lampRecordsAt, kept, lamps.data());
            model.GetPort(slot).InsertPoints(lamps.data(), kept);
        }
    }
    if (view == nullptr)
        return;
    // A layout opened for editing.
    model.ReserveForEdits();

    CLayoutProjectSettings& settings = view->GetLayoutSettings();
    settings.m_controllers.SetSize(static_cast<INT_PTR>(c.controllers.size()));
    for (size_t i = 0; i < c.controllers.size(); ++i)
        settings.m_controllers.SetAt(static_cast<INT_PTR>(i), c.controllers[i]);
    settings.m_controllerCount = static_cast<int>(c.controllers.size());
    LampTypeList.RemoveAll();
    for (const CString& type : c.lampTypes)
        LampTypeList.Add(type);
    settings.m_lampFormat = c.projectLampFormat;
    settings.m_portsPerController = c.portsPerController;
    settings.m_channelsPerPort = c.channelsPerPort;
    settings.m_lampsPerPort = c.lampsPerPort;
    settings.m_doubleSided = c.doubleSided;
    settings.m_showGrid = c.showGrid;
    settings.m_allowOverlap = c.allowOverlap;
    settings.m_allowMaxLamps = c.allowMaxLamps;
    settings.m_controllerModel = c.controllerModel;
    AlignToGrid = c.alignToGrid;
    settings.m_showXY = c.showXY;
    settings.m_randomColours = c.randomColours;
    settings.m_swatchColour = c.swatchColour;
    settings.m_hRulers.RemoveAll();
    for (WORD ruler : c.hRulers)
        settings.m_hRulers.Add(ruler);
    settings.m_vRulers.RemoveAll();
    for (WORD ruler : c.vRulers)
        settings.m_vRulers.Add(ruler);
    LayoutLock = c.lock;
    WireSelectedPortDirectly = c.wireDirectly;
    ManualTracing = c.tracing;
    if (!c.ports.empty())
        settings.m_dataOffset = c.ports.back().dataOffset;
    GammaCurveTables.m_count = c.curveCount;
    for (int i = 0; i < c.curveCount; ++i)
        std::copy(c.curves[i], c.curves[i] + kCurveEntries, GammaCurveTables.m_curves[i]);
    settings.m_loaded = 1;
}

// Every lamp the model would keep (as ApplyContents cuts the ports) lies on
// the file's grid.
bool KeptLampsOnGrid(const BYTE* data, const LayoutFileContents& c)
{
    const int slotCapacity = std::min(c.pointsPerPort, kMaxPortPoints);
    CLPoint lamp;
    for (const LayoutFilePort& stored : c.ports) {
        const int kept = std::min({ stored.lampCount, stored.capacity, slotCapacity });
        size_t at = stored.lampRecordsAt;
        for (int i = 0; i < kept; ++i) {
            DecodeLayoutLamps(data, c, at, 1, &lamp);
            if (!lamp.IsOnGrid(c.width, c.height))
                return false;
            at += (static_cast<size_t>(data[at]) << 8) | static_cast<BYTE>(data[at + 1] ^ c.key);
        }
    }
    return true;
}

} // namespace

void MakeLayoutKeyBytes(BYTE keyBytes[kLayoutKeyBytes])
{
    static std::atomic<unsigned> calls { 0 };
    LARGE_INTEGER counter = {};
    ::QueryPerformanceCounter(&counter);
    std::seed_seq seed { static_cast<unsigned>(::GetTickCount()), static_cast<unsigned>(counter.LowPart),
        static_cast<unsigned>(counter.HighPart), calls.fetch_add(1) };
    std::mt19937 generator(seed);
    for (int i = 0; i < kLayoutKeyBytes; ++i)
        keyBytes[i] = static_cast<BYTE>(generator() & 0xFF);
}

LayoutWriteSource EditorLayoutWriteSource(const CLayoutData& model, const CLayoutProjectSettings& settings)
{
    LayoutWriteSource source;
    source.model = &model;
    source.settings = &settings;
    source.lampTypes = &LampTypeList;
    source.curves = &GammaCurveTables;
    source.alignToGrid = AlignToGrid;
    source.lock = LayoutLock;
    source.wireDirectly = WireSelectedPortDirectly;
    source.tracing = ManualTracing;
    return source;
}

LayoutWriteResult BuildLayoutFileBytes(const CLayoutData& model, const CLayoutProjectSettings& settings,
    const BYTE keyBytes[kLayoutKeyBytes], std::vector<BYTE>& bytes)
{
    return BuildLayoutBytes(EditorLayoutWriteSource(model, settings), keyBytes, bytes);
}

LayoutWriteResult WriteLayoutFile(
    const CLayoutData& model, const CString& path, const CLayoutProjectSettings& settings, const BYTE* keyBytes)
{
    BYTE key[kLayoutKeyBytes];
    if (keyBytes != nullptr)
        std::copy(keyBytes, keyBytes + kLayoutKeyBytes, key);
    else
        MakeLayoutKeyBytes(key);

    CReplacingFileSink file(path);
    const LayoutWriteResult written = StreamLayoutBytes(EditorLayoutWriteSource(model, settings), key, file);
    if (written == LayoutWriteResult::NoMemory) {
        ShowLayoutMessage(L"内存越界：请重启软件，并尝试在工程设置中将控制器参数改为1024通道", nullptr);
        return written;
    }
    if (written == LayoutWriteResult::Unrepresentable) {
        // Not a disk problem: say that the format cannot hold this layout.
        ShowLayoutMessage(GetLangText(L"LAYOUT", 901), L"Solvane");
        return written;
    }
    const bool replaced = written == LayoutWriteResult::Ok && file.Commit();
    if (!replaced)
        ShowLayoutMessage(GetLangText(L"LAYOUT", 168), L"Solvane");
    StoreBackgroundPath(settings.m_backgroundImage);
    return replaced ? LayoutWriteResult::Ok : LayoutWriteResult::NotCreated;
}

bool ReadWholeFile(const CString& path, std::vector<BYTE>& bytes)
{
    bytes.clear();
    CHandle file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.IsOpen())
        return false;
    LARGE_INTEGER size = {};
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 || size.QuadPart > kMaxLayoutFileBytes)
        return false;
    try {
        bytes.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return false;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
        if (!::ReadFile(file.Get(), bytes.data() + done, chunk, &read, nullptr) || read == 0) {
            bytes.clear();
            return false;
        }
        done += read;
    }
    return true;
}

bool FileHasLayoutMagic(const CString& path)
{
    CHandle file(
        ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file.IsOpen())
        return false;
    BYTE magic[kLayoutMagicSize] = {};
    DWORD read = 0;
    return ::ReadFile(file.Get(), magic, kLayoutMagicSize, &read, nullptr) && read == kLayoutMagicSize
        && HasLayoutMagic(magic, read);
}

LayoutReadResult ReadLayoutBytes(ILayoutFileView* view, const BYTE* data, size_t size, CLayoutData& model)
{
    LayoutFileContents contents;
    const LayoutReadResult result = ParseLayoutBytes(data, size, contents, false);
    if (result != LayoutReadResult::Ok)
        return result;
    if (!KeptLampsOnGrid(data, contents))
        return LayoutReadResult::OffGrid;
    try {
        ApplyContents(data, contents, view, model);
    } catch (const std::bad_alloc&) {
        return LayoutReadResult::NotOpened;
    }
    return LayoutReadResult::Ok;
}

LayoutReadResult ReadLayoutFile(ILayoutFileView* view, const CString& path, CLayoutData& model)
{
    std::vector<BYTE> bytes;
    if (!ReadWholeFile(path, bytes) || bytes.empty())
        return LayoutReadResult::NotOpened;
    return ReadLayoutBytes(view, bytes.data(), bytes.size(), model);
}
