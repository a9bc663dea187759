// The document's two export commands for people rather than programs: the
// BMP picture of the layout (32776) and the wiring report (32785). Each
// asks for the target with the save dialog; the files are written by the
// model's picture and report writers.
#include "PannexDoc.h"

#include <afxdlgs.h>

#include "LayoutLangText.h"
#include "LayoutMessageBoxes.h"
#include "LayoutPicture.h"

void CPannexDoc::OnExportBmp()
{
    CFileDialog save(
        FALSE, L"*.bmp", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, L"*.bmp|*.bmp||", AfxGetMainWnd());
    if (save.DoModal() != IDOK)
        return;
    // Tells the user: LAYOUT 168 when the file cannot be written, "OK" when
    // it was.
    ExportLayoutBmp(m_layout, save.GetPathName());
}

void CPannexDoc::OnExportWiringReport()
{
    CFileDialog save(
        FALSE, L"*.txt", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, L"*.txt|*.txt||", AfxGetMainWnd());
    if (save.DoModal() != IDOK)
        return;
    ILayoutDocView* view = GetLayoutView();
    if (view == nullptr)
        return;
    // The report's success shows in the file itself; a report that could not
    // be written must not pass silently.
    if (!WriteWiringReport(m_layout, view->GetLayoutSettings(), save.GetPathName()))
        ShowLayoutMessageBox(GetLangText(L"LAYOUT", 168), L"Solvane");
}
