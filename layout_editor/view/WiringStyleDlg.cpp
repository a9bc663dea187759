// The wiring style part of the settings dialogs (see WiringStyleDlg.h).
#include "WiringStyleDlg.h"

#include "ProjectSetupResource.h"

IMPLEMENT_DYNAMIC(CWiringStyleDlg, CDialogEx)

BEGIN_MESSAGE_MAP(CWiringStyleDlg, CDialogEx)
ON_CONTROL_RANGE(STN_CLICKED, IDC_STYLE_PICTURE1, IDC_STYLE_PICTURE4, OnStylePicture)
ON_BN_CLICKED(IDC_STYLE_Z, UpdateStylePictures)
ON_BN_CLICKED(IDC_STYLE_FLIP, UpdateStylePictures)
END_MESSAGE_MAP()

CWiringStyleDlg::CWiringStyleDlg(UINT nIDTemplate, CWnd* parent)
    : CDialogEx(nIDTemplate, parent)
{
}

void CWiringStyleDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    m_pictures.Exchange(pDX);
    DDX_Check(pDX, IDC_STYLE_Z, m_bZOrder);
    DDX_Check(pDX, IDC_STYLE_FLIP, m_bFlip);
}

void CWiringStyleDlg::UpdateStylePictures()
{
    UpdateData(TRUE);
    m_pictures.Update(m_nStyle, m_bZOrder, m_bFlip);
}

void CWiringStyleDlg::OnStylePicture(UINT id)
{
    m_nStyle = static_cast<int>(id - IDC_STYLE_PICTURE1) + 1;
    UpdateStylePictures();
}
