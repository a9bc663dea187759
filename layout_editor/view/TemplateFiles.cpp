// Template files (see TemplateFiles.h).
#include "TemplateFiles.h"

#include <afxdlgs.h>

#include <algorithm>

#include "ByteBufferFile.h"
#include "LampTypeList.h"
#include "LayoutArchive.h"
#include "LayoutFolders.h"
#include "LayoutLangText.h"
#include "TemplateArchive.h"
#include "LayoutSelection.h"
#include "fw_replacefile.h"
#include "fw_uihost.h"

const wchar_t kTemplateFilter[] = L"Dized Udavivi Files(*.lpx)|*.lpx||";

CString WithTemplateExtension(const CString& path)
{
    if (path.GetLength() >= 4 && path.Right(4).CompareNoCase(L".lpx") == 0)
        return path;
    return path + L".lpx";
}

bool AskTemplateSavePath(CWnd* owner, CString& path)
{
    // The dialog appends the extension itself, so that its overwrite
    // question is asked about the file really written.
    CFileDialog dialog(FALSE, L"lpx", L"Mod_", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kTemplateFilter, owner);
    const CString folder = GetTemplateFolder();
    dialog.m_ofn.lpstrInitialDir = folder;
    if (dialog.DoModal() != IDOK)
        return false;
    path = WithTemplateExtension(dialog.GetPathName());
    return true;
}

LayoutWriteResult WriteTemplateFile(
    const CLayoutData& model, const CLayoutProjectSettings& settings, const CString& path)
{
    if (!FitsTemplateArchive(model))
        return LayoutWriteResult::Unrepresentable;
    try {
        CByteBufferFile buffer;
        {
            CArchive archive(&buffer, CArchive::store, 4096);
            WriteLayoutArchive(model, archive, settings);
            archive.Close();
        }
        const std::vector<BYTE>& bytes = buffer.Bytes();
        return AfxWriteFileReplacing(path, bytes.data(), bytes.size()) != FALSE ? LayoutWriteResult::Ok
                                                                                : LayoutWriteResult::NotCreated;
    } catch (CException* e) {
        e->Delete();
    } catch (const std::bad_alloc&) {
        return LayoutWriteResult::NoMemory;
    }
    return LayoutWriteResult::NotCreated;
}

void ShowTemplateWriteFailure(CWnd* owner, LayoutWriteResult result)
{
    const int key = result == LayoutWriteResult::Unrepresentable ? 983 : 168;
    AfxGetUiHost().MessageBox(
        owner != nullptr ? owner->GetSafeHwnd() : nullptr, GetLangText(L"LAYOUT", key), L"Solvane", MB_OK);
}

bool BuildPortTemplate(
    const CLayoutData& live, const std::vector<int>& ports, const PortTemplateBuild& how, CLayoutData& out)
{
    if (ports.empty())
        return false;
    const bool selectedOnly = how.selectedOnly;
    const bool positionsOnly = how.positionsOnly;
    // Every port of the template has room for all of its source's lamps,
    // even when that port grew beyond the layout's points per port.
    int capacity = std::max(live.GetPointsPerPort(), 1);
    for (int p : ports) {
        if (!live.IsValidPort(p))
            return false;
        capacity = std::max(capacity, live.GetPort(p).GetCapacity());
    }
    const CString format = LampTypeList.GetSize() > 0 ? LampTypeList.GetAt(0) : CString(L"RGB");
    const int slots = std::max(how.slots, static_cast<int>(ports.size()));
    if (!out.ResetPorts(slots, capacity, format, 0))
        return false;
    out.m_templateKind = how.kind;
    out.m_width = live.m_width;
    out.m_height = live.m_height;
    for (int p : ports) {
        const LayoutPort& source = live.GetPort(p);
        LayoutPort record;
        record.Allocate(source.GetCapacity());
        record.m_lampFormat = source.m_lampFormat;
        record.m_lampFormatIndex = source.m_lampFormatIndex;
        std::vector<int> indexes;
        if (selectedOnly) {
            indexes = SelectedIndexesOf(live, p);
        } else {
            record.m_colour = source.m_colour;
            record.m_dataReversed = source.m_dataReversed;
            record.m_brightness = source.m_brightness;
            record.m_gamma = source.m_gamma;
            record.m_adjusted = source.m_adjusted;
            for (int i = 0; i < source.GetCount(); ++i)
                indexes.push_back(i);
        }
        std::vector<CLPoint> lamps;
        lamps.reserve(indexes.size());
        for (int i : indexes) {
            if (i < 0 || i >= source.GetCount())
                continue;
            const CLPoint& lamp = source.GetPoint(i);
            if (positionsOnly) {
                CLPoint plain(lamp.x, lamp.y);
                plain.m_normX = lamp.m_normX;
                plain.m_normY = lamp.m_normY;
                lamps.push_back(plain);
            } else {
                lamps.push_back(lamp);
            }
        }
        record.InsertPoints(lamps.data(), static_cast<int>(lamps.size()));
        out.AppendLoadedPort(record);
    }
    return true;
}

bool BuildPortRangeTemplate(const CLayoutData& live, int first, int count, BYTE kind, CLayoutData& out)
{
    std::vector<int> ports;
    for (int p = first; p < first + count; ++p)
        ports.push_back(p);
    return BuildPortTemplate(live, ports, { kind, false, false, live.GetPortCount() }, out);
}
