// The floating template's dialogs: its position by a reference point
// (CTemplateLocateDlg, dialog 323) and its size (CTemplateSizeDlg, dialog
// 324). They only collect values; the view applies them.
#pragma once

#include <afxwin.h>

#include "PannexEditResource.h"

// Position of the template: X and Y (from 1, no floor) of one of nine
// reference points, 0 top left to 8 bottom right in reading order.
class CTemplateLocateDlg : public CDialogEx {
public:
    enum { IDD = IDD_TEMPLATE_LOCATE };
    explicit CTemplateLocateDlg(CWnd* parent = nullptr);

    int m_x = 0;
    int m_y = 0;
    int m_reference = 0;

    // The frame around the reference points, in client pixels.
    static constexpr RECT kFrame = { 241, 47, 311, 112 };

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnPaint();
    void OnDeltaX(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDeltaY(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};

// New width and height of the template; the arrows never go below 1.
class CTemplateSizeDlg : public CDialogEx {
public:
    enum { IDD = IDD_TEMPLATE_SIZE };
    explicit CTemplateSizeDlg(CWnd* parent = nullptr);

    int m_width = 1;
    int m_height = 1;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnDeltaWidth(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDeltaHeight(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
