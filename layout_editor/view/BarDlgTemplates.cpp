// The list panel's paste commands and its layout templates: the template
// list of the template folder (refresh, open the folder, add a file,
// choose one to place it in the view) and saving a port, a controller or
// the whole project as a template.
#include "BarDlg.h"

#include <algorithm>

#include "FileScrambler.h"
#include "LampTypeList.h"
#include "LayoutFile.h"
#include "LayoutFolders.h"
#include "LayoutLangText.h"
#include "ListPanelResource.h"
#include "PannexDoc.h"
#include "PannexView.h"
#include "TemplateArchive.h"
#include "TemplateFiles.h"

#include <afxdlgs.h>
#include <fw_uihost.h>

namespace {

int PortOf(int itemData)
{
    const auto data = static_cast<DWORD>(itemData);
    return IsPortItem(data) ? ItemIndex(data) : -1;
}

int ControllerOf(int itemData)
{
    const auto data = static_cast<DWORD>(itemData);
    return IsControllerItem(data) ? ItemIndex(data) : -1;
}

// The file name of a path: what follows its last backslash.
CString NameOfPath(const CString& path)
{
    return path.Mid(path.ReverseFind(L'\\') + 1);
}

// True when the path lies in the folder (Windows paths ignore case).
bool PathInFolder(const CString& path, const CString& folder)
{
    CString a = path;
    CString b = folder;
    a.MakeLower();
    b.MakeLower();
    return a.Find(b) >= 0;
}

} // namespace

// --- Paste ----------------------------------------------------------------------

void CBarDlg::PasteAtItem(int mode)
{
    CPannexView* view = GetView();
    if (view == nullptr || GetDoc() == nullptr)
        return;
    const int p = PortOf(m_nItemData);
    if (p >= 0) {
        view->PasteBars(p, mode);
        return;
    }
    const int c = ControllerOf(m_nItemData);
    const int first = c >= 0 ? FirstPortOfController(view->m_settings, c) : -1;
    if (first < 0)
        return;
    view->m_currentPort = first;
    view->PasteBars(first, mode);
}

void CBarDlg::OnPasteOverwrite()
{
    PasteAtItem(0);
}

void CBarDlg::OnPasteAppend()
{
    PasteAtItem(1);
}

void CBarDlg::OnPasteCross()
{
    PasteAtItem(2);
}

void CBarDlg::OnUpdatePaste(CCmdUI* pCmdUI)
{
    const CPannexView* view = GetView();
    pCmdUI->Enable(view != nullptr && !view->m_copyBuffer.m_ports.empty());
}

// --- The template list --------------------------------------------------------------

void CBarDlg::RefreshTemplateList()
{
    if (m_lbTemplates.GetSafeHwnd() == nullptr)
        return;
    m_lbTemplates.ResetContent();
    CStringArray names;
    ListFolderFiles(names, GetTemplateFolder());
    for (INT_PTR i = 0; i < names.GetSize(); ++i) {
        const CString& name = names.GetAt(i);
        m_lbTemplates.AddString(name.Left(std::max(name.GetLength() - 4, 0)));
    }
}

void CBarDlg::OnOpenTemplateFolder()
{
    AfxGetUiHost().ShellOpen(GetSafeHwnd(), GetTemplateFolder(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CBarDlg::CopyIntoTemplateFolder(const CString& path, int questionKey)
{
    const CString folder = GetTemplateFolder();
    if (!PathInFolder(path, folder)) {
        const CString name = NameOfPath(path);
        const CString target = folder + name;
        if (!::CopyFileW(path, target, TRUE)) {
            const CString question = GetLangText(L"LAYOUT", questionKey) + name.Left(std::max(name.GetLength() - 4, 0))
                + L" " + GetLangText(L"LAYOUT", 161);
            if (AfxGetUiHost().MessageBox(GetSafeHwnd(), question, GetLangText(L"LAYOUT", 162), MB_YESNO) == IDYES)
                ::CopyFileW(path, target, FALSE);
        }
    }
    RefreshTemplateList();
}

void CBarDlg::OnAddTemplate()
{
    CFileDialog dialog(TRUE, L"", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kTemplateFilter, this);
    const CString folder = GetTemplateFolder();
    dialog.m_ofn.lpstrInitialDir = folder;
    if (dialog.DoModal() != IDOK) {
        RefreshTemplateList();
        return;
    }
    CopyIntoTemplateFolder(dialog.GetPathName(), 160);
}

void CBarDlg::AddTemplateFile(const CString& path)
{
    CopyIntoTemplateFolder(path, 163);
}

void CBarDlg::OnTemplateSelChange()
{
    const int index = m_lbTemplates.GetCurSel();
    if (index < 0)
        return;
    CString entry;
    m_lbTemplates.GetText(index, entry);
    LoadTemplate(GetTemplateFolder() + entry + L".lpx");
}

bool CBarDlg::LoadTemplate(const CString& path)
{
    CPannexView* view = GetView();
    if (view == nullptr || GetDoc() == nullptr)
        return false;
    auto refuse = [&](LayoutReadResult why = LayoutReadResult::NotOpened) {
        const int key = why == LayoutReadResult::OffGrid ? 981 : 168;
        AfxGetUiHost().MessageBox(GetSafeHwnd(), GetLangText(L"LAYOUT", key), L"Solvane", MB_OK);
        return false;
    };
    char magic[11] = {};
    {
        CFile file;
        if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite))
            return refuse();
        file.Read(magic, 10);
        file.Close();
    }
    CLayoutData model;
    int group = view->m_settings.m_controllers.GetSize() > 0 ? view->m_settings.m_controllers.GetAt(0) : 8;
    if (strcmp(magic, "QVTNLAYOUT") == 0) {
        const LayoutReadResult result = ReadLayoutFile(nullptr, path, model);
        if (result != LayoutReadResult::Ok)
            return refuse(result);
    } else {
        // A scrambled template is decoded on disk once; later choices read
        // it as it is.
        UnscrambleFileInPlace(path);
        CFile file;
        if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite))
            return refuse();
        LayoutReadResult result = LayoutReadResult::Corrupt;
        {
            CArchive archive(&file, CArchive::load, 4096);
            result = LoadTemplateArchive(archive, model, group);
            archive.Abort();
        }
        file.Close();
        if (result != LayoutReadResult::Ok)
            return refuse(result);
    }
    CLightBarTemplate& copy = view->m_copyBuffer;
    if (!copy.BuildFromLayout(model, group))
        return false;
    // The template starts at the top-left of what the view shows of the
    // layout, so it can be seen and dropped at once.
    const CLPoint corner = view->FirstVisibleCell();
    copy.m_left = corner.x;
    copy.m_top = corner.y;
    copy.m_leastNormX = corner.m_normX;
    copy.m_leastNormY = corner.m_normY;
    view->m_templateShown = 1;
    view->SetEditMode(0);
    return true;
}

// --- Saving templates ---------------------------------------------------------------

void CBarDlg::SaveTemplate(const CLayoutData& model)
{
    CPannexView* view = GetView();
    if (view == nullptr)
        return;
    CString path;
    if (!AskTemplateSavePath(this, path))
        return;
    const LayoutWriteResult written = WriteTemplateFile(model, view->m_settings, path);
    if (written != LayoutWriteResult::Ok) {
        ShowTemplateWriteFailure(this, written);
        return;
    }
    AddTemplateFile(path);
}

void CBarDlg::SavePortsAsTemplate(int first, int count, BYTE kind)
{
    CPannexDoc* doc = GetDoc();
    if (doc == nullptr)
        return;
    CLayoutData model;
    if (!BuildPortRangeTemplate(doc->GetLayout(), first, count, kind, model))
        return;
    SaveTemplate(model);
}

void CBarDlg::OnPortSaveTemplate()
{
    SavePortsAsTemplate(PortOf(m_nItemData), 1, 3);
}

void CBarDlg::OnCardSaveTemplate()
{
    const CPannexView* view = GetView();
    const int c = ControllerOf(m_nItemData);
    if (view == nullptr || c < 0)
        return;
    SavePortsAsTemplate(FirstPortOfController(view->m_settings, c), PortsOfController(view->m_settings, c), 2);
}

void CBarDlg::OnProjectSaveTemplate()
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    if (view == nullptr || doc == nullptr)
        return;
    CString path;
    if (!AskTemplateSavePath(this, path))
        return;
    CLayoutData& live = doc->GetLayout();
    LayoutWriteResult written = LayoutWriteResult::NotCreated;
    {
        // The live layout is written as a project template; its own kind is
        // back however the write ends, so the next save keeps it.
        struct KindRestore {
            CLayoutData& model;
            BYTE kind;
            ~KindRestore() { model.m_templateKind = kind; }
        } restore { live, live.m_templateKind };
        live.m_templateKind = 1;
        written = WriteTemplateFile(live, view->m_settings, path);
    }
    if (written != LayoutWriteResult::Ok) {
        ShowTemplateWriteFailure(this, written);
        return;
    }
    AddTemplateFile(path);
}
