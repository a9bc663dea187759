// The off-line encryption setting: the decrypt instruction file byte by byte,
// the password stored in the document, the stored password shown again, and
// the decrypt road writing the file and opening its folder.
#include "OffPassWordDlg.h"
#include "fw_dialog_driver.h"
#include "offline_test_support.h"

#include <functional>
#include <string>

using fwtest::CScriptedUiHost;
using namespace offtest;

namespace {

std::string Bytes(const CStringA& s)
{
    return std::string(s.GetString(), static_cast<size_t>(s.GetLength()));
}

using fwtest::CDialogDriver;

TEST(DecryptInstruction, TwoNarrowLinesInTheCodePage)
{
    // 密码=abcd CR LF, then 动作=0//加密=1，解密=0 CR LF, in code page 936.
    const unsigned char expected[]
        = { 0xC3, 0xDC, 0xC2, 0xEB, '=', 'a', 'b', 'c', 'd', '\r', '\n', 0xB6, 0xAF, 0xD7, 0xF7, '=', '0', '/', '/',
              0xBC, 0xD3, 0xC3, 0xDC, '=', '1', 0xA3, 0xAC, 0xBD, 0xE2, 0xC3, 0xDC, '=', '0', '\r', '\n' };
    const std::string want(reinterpret_cast<const char*>(expected), sizeof(expected));
    EXPECT_EQ(want, Bytes(BuildDecryptInstruction(L"abcd", 936)));
    // Only the first four characters are written.
    EXPECT_EQ(want, Bytes(BuildDecryptInstruction(L"abcdefg", 936)));
}

TEST(DecryptInstruction, OnlyOneByteAnsiCharactersMakeAPassword)
{
    ASSERT_EQ(1252u, ::GetACP());
    EXPECT_TRUE(IsOneByteAnsiText(L"wxyz"));
    EXPECT_TRUE(IsOneByteAnsiText(L"a\x00E9"
                                  L"!9")); // e acute is one byte in 1252
    EXPECT_FALSE(IsOneByteAnsiText(L"\x5BC6"
                                   L"ab1")); // not in 1252
    EXPECT_FALSE(IsOneByteAnsiText(L"ab\x0101"
                                   L"c")); // best fit would turn it into "a"
}

TEST(DecryptInstruction, FileIsReplacedWhole)
{
    CTempFolder folder;
    const CString path = folder.File(L"pw.txt");
    HANDLE h = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    const std::string old(500, 'x');
    DWORD written = 0;
    ::WriteFile(h, old.data(), static_cast<DWORD>(old.size()), &written, nullptr);
    ::CloseHandle(h);

    ASSERT_TRUE(WriteDecryptInstruction(path, L"9876"));
    EXPECT_EQ(Bytes(BuildDecryptInstruction(L"9876")), ReadBytes(path));
    EXPECT_FALSE(WriteDecryptInstruction(folder.File(L"missing\\pw.txt"), L"9876"));
}

class Encryption : public OfflineTest { };

TEST_F(Encryption, EncryptStoresThePasswordAfterAShortOneIsRefused)
{
    {
        CDialogDriver driver([&](CDialog& live) {
            EXPECT_EQ(CString(), fwtest::GetItemText(live, IDC_PW_PASSWORD));
            EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(live.m_hWnd, IDC_PW_ENABLED));
            EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(live.m_hWnd, IDC_PW_ENCRYPT));
            fwtest::SetItemText(live, IDC_PW_PASSWORD, L"abc");
            m_ui.ExpectMessageBox(IDOK, L"HINT 20");
            fwtest::ClickButton(live, IDOK);
            EXPECT_TRUE(::IsWindowVisible(live.m_hWnd));
            // Characters of two ANSI bytes (or none) are refused alike.
            for (const wchar_t* wide : { L"\x5BC6\x7801"
                                         L"ab",
                     L"ab\x0416"
                     L"c" }) {
                fwtest::SetItemText(live, IDC_PW_PASSWORD, wide);
                m_ui.ExpectMessageBox(IDOK, L"HINT 20");
                fwtest::ClickButton(live, IDOK);
                EXPECT_TRUE(::IsWindowVisible(live.m_hWnd));
            }
            fwtest::SetItemText(live, IDC_PW_PASSWORD, L"wxyz");
            ::CheckDlgButton(live.m_hWnd, IDC_PW_ENABLED, BST_UNCHECKED);
            fwtest::ClickButton(live, IDOK);
        });
        RunOfflineEncryption(*m_doc, nullptr);
    }
    EXPECT_EQ(0, m_doc->m_offlineEncryption);
    EXPECT_EQ(0, memcmp(m_doc->m_offlinePassword, "wxyz", 4));
}

TEST_F(Encryption, StoredPasswordIsShownAgainAndCancelKeepsIt)
{
    m_doc->SetOfflinePassword(L"pqrs", 1);
    {
        CDialogDriver driver([&](CDialog& live) {
            EXPECT_EQ(CString(L"pqrs"), fwtest::GetItemText(live, IDC_PW_PASSWORD));
            fwtest::SetItemText(live, IDC_PW_PASSWORD, L"zzzz");
            fwtest::ClickButton(live, IDCANCEL);
        });
        RunOfflineEncryption(*m_doc, nullptr);
    }
    EXPECT_EQ(1, m_doc->m_offlineEncryption);
    EXPECT_EQ(0, memcmp(m_doc->m_offlinePassword, "pqrs", 4));
}

TEST_F(Encryption, DecryptWritesTheInstructionFileAndOpensItsFolder)
{
    CTempFolder folder;
    const CString path = folder.File(L"decrypt.txt");
    m_ui.ExpectFileSave(path);
    m_ui.ExpectShellOpen();
    {
        CDialogDriver driver([&](CDialog& live) {
            fwtest::SetItemText(live, IDC_PW_PASSWORD, L"k9k9");
            ::CheckDlgButton(live.m_hWnd, IDC_PW_ENCRYPT, BST_UNCHECKED);
            ::CheckDlgButton(live.m_hWnd, IDC_PW_DECRYPT, BST_CHECKED);
            fwtest::ClickButton(live, IDOK);
        });
        RunOfflineEncryption(*m_doc, nullptr);
    }
    EXPECT_EQ(Bytes(BuildDecryptInstruction(L"k9k9")), ReadBytes(path));
    ASSERT_EQ(2u, m_ui.Transcript().size());
    EXPECT_EQ(CString(L"ShellOpen: ") + folder.Path(), m_ui.Transcript()[1]);
    // The document's settings are not touched by this road.
    EXPECT_EQ(0, m_doc->m_offlineEncryption);
    EXPECT_EQ(0, m_doc->m_offlinePassword[0]);
}

TEST_F(Encryption, DecryptFileThatCannotBeCreatedSaysFailed)
{
    CTempFolder folder;
    m_ui.ExpectFileSave(folder.File(L"no such folder\\decrypt.txt"));
    m_ui.ExpectMessageBox(IDOK, L"Failed!");
    CDialogDriver driver([&](CDialog& live) {
        fwtest::SetItemText(live, IDC_PW_PASSWORD, L"k9k9");
        ::CheckDlgButton(live.m_hWnd, IDC_PW_ENCRYPT, BST_UNCHECKED);
        ::CheckDlgButton(live.m_hWnd, IDC_PW_DECRYPT, BST_CHECKED);
        fwtest::ClickButton(live, IDOK);
    });
    RunOfflineEncryption(*m_doc, nullptr);
}

} // namespace
