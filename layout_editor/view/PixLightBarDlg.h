// CPixLightBarDlg (dialog 341): the lamps of one port with their lamp
// formats; the checked lamps get another format from the project's list.
// Created with the list panel and shown by its port menu command.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "PannexDialogsResource.h"

class CPixLightBarDlg : public CDialogEx {
public:
    enum { IDD = IDD_PIX_LIGHT_BAR };

    explicit CPixLightBarDlg(CWnd* parent = nullptr);

    BOOL CreateHidden(CWnd* parent);
    // Fills the list with port p's lamps (a global index); nothing without
    // a layout.
    void ShowPort(int port);
    // Gives the checked lamps entry `format` of LampTypeList: 0 (follow the
    // port) when it is the port's own format, else format + 1. Redraws.
    void SetFormatOfChecked(int format);

    int GetPortIndex() const { return m_nPort; }

    CListCtrl m_list;
    int m_nInterval = 1; // edit 1109

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override { ShowWindow(SW_HIDE); }
    void OnOK() override { }
    void OnSelectAll();
    void OnDeselectAll();
    void OnInterval();
    void OnInvert();
    void OnSetLamps();
    DECLARE_MESSAGE_MAP()

private:
    int m_nPort = -1;
};
