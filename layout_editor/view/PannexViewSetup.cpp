// The view's project set-up commands.
#include "PannexView.h"

#include "ProjInfoDlg.h"

void CPannexView::OnProjectInfo()
{
    CProjInfoDlg dlg(this);
    dlg.DoModal();
}
