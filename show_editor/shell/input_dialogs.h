// The two small input dialogs of the show editor: CDlgInputString asks for
// a text that must not be empty (renaming from the project tree, a count of
// controllers), CNumberInputDlg for a whole number with a spin button of 0
// to 255 (the white value of the fixed-white colour mode). Both are run
// modally: set the value, DoModal, read the value after IDOK.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "input_dialogs_resource.h"

class CDlgInputString : public CDialog {
    DECLARE_DYNAMIC(CDlgInputString)
public:
    enum { IDD = IDD_INPUT_STRING };

    explicit CDlgInputString(CWnd* parent = nullptr);

    CString m_text; // exchanged with the edit box
    CString m_caption = L"ReName"; // becomes the window caption
    // The buttons' texts (the resource's when empty) and the refusal of an
    // empty text.
    CString m_okText;
    CString m_cancelText;
    CString m_emptyText = L"Can't Empty!";

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // An empty text is refused with m_emptyText and the dialog stays.
    void OnOK() override;
};

class CNumberInputDlg : public CDialog {
    DECLARE_DYNAMIC(CNumberInputDlg)
public:
    enum { IDD = IDD_NUMBER_INPUT };

    explicit CNumberInputDlg(CWnd* parent = nullptr);

    // Exchanged with the edit box. The spin button covers 0 to 255, but a
    // typed number outside that range comes back as typed: the caller
    // reduces it.
    int m_value = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CSpinButtonCtrl m_spin;
};
