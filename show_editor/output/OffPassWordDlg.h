// The off-line encryption setting: CDlgOffPassWord (password, enabled,
// encrypt or decrypt), the decrypt instruction text file, and the run that
// the hardware settings dialog starts when the hidden key sequence is typed.
#pragma once

#include <afxwin.h>

#include "output_dialogs_resource.h"

class CDornelDoc;

class CDlgOffPassWord : public CDialog {
public:
    enum { IDD = IDD_OFF_PASSWORD };

    explicit CDlgOffPassWord(CWnd* parent = nullptr);

    CString m_password;
    int m_enabled = 1;
    int m_action = 0; // 0 encrypt, 1 decrypt

    // Texts of the language file (HINT 2 is shown for a short password).
    void SetHintText(const CString& text) { m_hint = text; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnPressOk();
    DECLARE_MESSAGE_MAP()

private:
    CString m_hint;
};

// Whether every character of the text is one byte in the ANSI code page
// (and comes back as itself): only such passwords are accepted.
bool IsOneByteAnsiText(const CString& text);

// The two lines of the decrypt instruction file in the code page: the
// password's first four characters and the decrypt action.
CStringA BuildDecryptInstruction(const CString& password, UINT codePage = CP_ACP);
// Writes the file whole (temporary file, then replaced); FALSE on failure.
BOOL WriteDecryptInstruction(const CString& path, const CString& password);

// Runs the encryption dialog for the document: encrypt stores the password
// in the document, decrypt writes the instruction file and opens its folder.
void RunOfflineEncryption(CDornelDoc& doc, CWnd* owner);
