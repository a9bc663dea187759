// The light-box settings dialog (see ProjLightBoxDlg.h).
#include "ProjLightBoxDlg.h"

#include <gdiplus.h>
#include <fw_uihost.h>

#include "ControllerType.h"
#include "DialogLabels.h"
#include "LayoutLangText.h"
#include "ProjSetDlg.h"
#include "ProjectSetup.h"

CSize PictureFileSize(const CString& path)
{
    Gdiplus::Bitmap picture(path.GetString());
    if (picture.GetLastStatus() != Gdiplus::Ok)
        return CSize(0, 0);
    return CSize(static_cast<int>(picture.GetWidth()), static_cast<int>(picture.GetHeight()));
}

IMPLEMENT_DYNAMIC(CProjLightBoxDlg, CWiringStyleDlg)

BEGIN_MESSAGE_MAP(CProjLightBoxDlg, CWiringStyleDlg)
ON_BN_CLICKED(IDC_LB_PICTURE_BUTTON, OnCanvasPicture)
END_MESSAGE_MAP()

CProjLightBoxDlg::CProjLightBoxDlg(CWnd* parent)
    : CWiringStyleDlg(IDD_LIGHT_BOX, parent)
{
}

void CProjLightBoxDlg::DoDataExchange(CDataExchange* pDX)
{
    CWiringStyleDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LB_TYPE, m_cbControllerType);
    DDX_Control(pDX, IDC_LB_FORMAT, m_cbLampFormat);
    DDX_Text(pDX, IDC_LB_WIDTH, m_values.width);
    DDX_Text(pDX, IDC_LB_HEIGHT, m_values.height);
    DDX_Text(pDX, IDC_LB_ROWS, m_values.rows);
    DDX_Text(pDX, IDC_LB_COLUMNS, m_values.columns);
    DDX_Text(pDX, IDC_LB_DIAMETER, m_values.diameter);
    DDX_Text(pDX, IDC_LB_TOP, m_values.top);
    DDX_Text(pDX, IDC_LB_LEFT, m_values.left);
    DDX_Text(pDX, IDC_LB_ROW_SPACING, m_values.rowSpacing);
    DDX_Text(pDX, IDC_LB_COLUMN_SPACING, m_values.columnSpacing);
    DDX_Text(pDX, IDC_LB_PER_PORT, m_values.perPort);
    DDX_Text(pDX, IDC_LB_PICTURE_PATH, m_strPicturePath);
    DDX_Text(pDX, IDC_LB_TYPE, m_strControllerType);
    DDX_CBString(pDX, IDC_LB_FORMAT, m_strLampFormat);
}

BOOL CProjLightBoxDlg::OnInitDialog()
{
    m_cbControllerType.SubclassDlgItem(IDC_LB_TYPE, this);
    m_cbLampFormat.SubclassDlgItem(IDC_LB_FORMAT, this);
    for (int i = 0; i < m_controllerTypes.GetSize(); ++i)
        m_cbControllerType.AddString(m_controllerTypes.GetAt(i));
    for (int i = 0; i < m_lampFormats.GetSize(); ++i)
        m_cbLampFormat.AddString(m_lampFormats.GetAt(i));
    CDialogEx::OnInitDialog();
    UpdateStylePictures();
    // The caption is the project settings' (the resource's own text); the
    // labels of the canvas, lamps and spacings have texts of their own.
    ApplyLayoutLabels(*this,
        { { 0, 13 }, { IDC_LB_CANVAS_GROUP, 954 }, { IDC_LB_WIDTH_LABEL, 95 }, { IDC_LB_HEIGHT_LABEL, 96 },
            { IDC_LB_PICTURE_BUTTON, 955 }, { IDC_LB_LAMPS_GROUP, 956 }, { IDC_LB_ROWS_LABEL, 957 },
            { IDC_LB_COLUMNS_LABEL, 958 }, { IDC_LB_DIAMETER_LABEL, 959 }, { IDC_LB_SPACING_GROUP, 960 },
            { IDC_LB_TOP_LABEL, 961 }, { IDC_LB_LEFT_LABEL, 962 }, { IDC_LB_ROW_SPACING_LABEL, 213 },
            { IDC_LB_COLUMN_SPACING_LABEL, 214 }, { IDC_STYLE_GROUP, 97 }, { IDC_STYLE_Z, 98 }, { IDC_STYLE_FLIP, 99 },
            { IDC_LB_CONTROLLER_GROUP, 82 }, { IDC_LB_TYPE_LABEL, 83 }, { IDC_LB_FORMAT_LABEL, 84 },
            { IDC_LB_PER_PORT_LABEL, 963 }, { IDOK, 91 }, { IDCANCEL, 92 } });
    return TRUE;
}

void CProjLightBoxDlg::OnCanvasPicture()
{
    CFileDialogRequest request;
    request.bOpen = TRUE;
    request.hWndOwner = GetSafeHwnd();
    request.strFilter = GetLangText(L"OTHER", 2);
    request.dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    if (!AfxGetUiHost().FileDialog(request) || request.results.empty())
        return;
    UpdateData(TRUE);
    m_strPicturePath = request.results.front();
    // One pixel of the picture is one millimetre of the canvas.
    const CSize size = PictureFileSize(m_strPicturePath);
    m_values.width = size.cx;
    m_values.height = size.cy;
    UpdateData(FALSE);
}

void CProjLightBoxDlg::OnOK()
{
    ControllerTypeValues type;
    const SettingsOkStart start = ReadSettingsForOk(*this, m_cbLampFormat, m_strControllerType, type);
    if (start == SettingsOkStart::Cancelled || start == SettingsOkStart::Stay)
        return;
    m_values.style = m_nStyle;
    m_values.z = m_bZOrder;
    m_values.flip = m_bFlip;
    // The light box is only ever made at the start of a layout, which cannot
    // be left without controllers: a type that cannot be read keeps the
    // dialog open.
    if (start == SettingsOkStart::Read && !type.ok) {
        ShowSolvaneMessage(171);
        return;
    }
    // Sizes the set-up divides by, and a whole grid and port count the
    // layout can hold, checked before anything is planned.
    if (start != SettingsOkStart::Read || !LightBoxFits(m_values, type.ports)) {
        ShowSolvaneMessage(952);
        return;
    }
    m_bNewLampFormat = TakeChosenLampFormat(m_lampFormats, m_strLampFormat, m_bListStillDefault);
    EndDialog(IDOK);
}
