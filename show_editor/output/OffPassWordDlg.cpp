// The off-line encryption dialog and the decrypt instruction file.
#include "OffPassWordDlg.h"

#include "dornel_doc.h"

#include <afxdlgs.h>
#include <fw_replacefile.h>

namespace {

constexpr int kPasswordLength = 4;

CStringA ToCodePage(const CString& text, UINT codePage)
{
    if (text.IsEmpty())
        return CStringA();
    const int size = ::WideCharToMultiByte(codePage, 0, text, text.GetLength(), nullptr, 0, nullptr, nullptr);
    CStringA out;
    if (size <= 0)
        return out;
    char* buffer = out.GetBuffer(size);
    ::WideCharToMultiByte(codePage, 0, text, text.GetLength(), buffer, size, nullptr, nullptr);
    out.ReleaseBuffer(size);
    return out;
}

CString FromAnsiBytes(const char* bytes, int count)
{
    int length = 0;
    while (length < count && bytes[length] != '\0')
        ++length;
    if (length == 0)
        return CString();
    const int size = ::MultiByteToWideChar(CP_ACP, 0, bytes, length, nullptr, 0);
    CString out;
    if (size <= 0)
        return out;
    wchar_t* buffer = out.GetBuffer(size);
    ::MultiByteToWideChar(CP_ACP, 0, bytes, length, buffer, size);
    out.ReleaseBuffer(size);
    return out;
}

} // namespace

bool IsOneByteAnsiText(const CString& text)
{
    // The document keeps the password as four ANSI bytes and the decrypt
    // file is written in the ANSI code page: a character of two bytes (or
    // none, replaced by "?") would make the two disagree.
    for (int i = 0; i < text.GetLength(); ++i) {
        const wchar_t c = text[i];
        char bytes[8] = {};
        BOOL usedDefault = FALSE;
        if (::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &c, 1, bytes, sizeof bytes, nullptr, &usedDefault) != 1
            || usedDefault || bytes[0] == '\0')
            return false;
    }
    return true;
}

BEGIN_MESSAGE_MAP(CDlgOffPassWord, CDialog)
ON_BN_CLICKED(IDOK, OnPressOk)
END_MESSAGE_MAP()

CDlgOffPassWord::CDlgOffPassWord(CWnd* parent)
    : CDialog(IDD_OFF_PASSWORD, parent)
{
}

void CDlgOffPassWord::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PW_PASSWORD, m_password);
    DDV_MaxChars(pDX, m_password, kPasswordLength);
    DDX_Check(pDX, IDC_PW_ENABLED, m_enabled);
    DDX_Radio(pDX, IDC_PW_ENCRYPT, m_action);
}

void CDlgOffPassWord::OnPressOk()
{
    if (!UpdateData(TRUE))
        return;
    if (m_password.GetLength() < kPasswordLength || !IsOneByteAnsiText(m_password)) {
        AfxGetUiHost().MessageBox(m_hWnd, m_hint.IsEmpty() ? CString(L"Password: 4 characters!") : m_hint,
            AfxGetAppTitle(), MB_OK | MB_ICONWARNING);
        return;
    }
    EndDialog(IDOK);
}

CStringA BuildDecryptInstruction(const CString& password, UINT codePage)
{
    CString first;
    first.Format(L"密码=%s\r\n", password.Left(kPasswordLength).GetString());
    const CString second = L"动作=0//加密=1，解密=0\r\n";
    return ToCodePage(first, codePage) + ToCodePage(second, codePage);
}

BOOL WriteDecryptInstruction(const CString& path, const CString& password)
{
    const CStringA bytes = BuildDecryptInstruction(password);
    return AfxWriteFileReplacing(path, bytes.GetString(), static_cast<size_t>(bytes.GetLength()));
}

void RunOfflineEncryption(CDornelDoc& doc, CWnd* owner)
{
    CDlgOffPassWord dlg(owner);
    if (doc.m_offlineEncryption != 0)
        dlg.m_password = FromAnsiBytes(doc.m_offlinePassword, kPasswordLength);
    // HINT 2 is the colour editor's "too few colours"; the password rule has
    // a text of its own.
    dlg.SetHintText(doc.Host().GetLangText(L"HINT", 20));
    if (dlg.DoModal() != IDOK)
        return;
    if (dlg.m_action == 0) {
        doc.SetOfflinePassword(dlg.m_password.Left(kPasswordLength), dlg.m_enabled);
        return;
    }
    CFileDialog save(FALSE, nullptr, L"OfflinePassword.txt", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
        L"Text Files(*.txt)|*.txt||", owner);
    if (save.DoModal() != IDOK)
        return;
    const CString path = save.GetPathName();
    if (!WriteDecryptInstruction(path, dlg.m_password)) {
        AfxGetUiHost().MessageBox(owner != nullptr ? owner->GetSafeHwnd() : nullptr, L"Failed!", nullptr, MB_OK);
        return;
    }
    const int slash = path.ReverseFind(L'\\');
    if (slash > 0)
        AfxShellOpen(path.Left(slash));
}
