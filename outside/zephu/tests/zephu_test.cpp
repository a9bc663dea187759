// The updater stand-in: no update is ever found, confirmed or installed, and
// the no-update notice is a plain message box that the user closes.
#include "Zephu.h"
#include "fw_testing.h"

#include <gtest/gtest.h>

#include <thread>

TEST(Zephu, NeverFindsConfirmsOrInstallsAnUpdate)
{
    EXPECT_EQ(QuillonCheckUpdate(), 0);
    EXPECT_EQ(QuillonUpdateConfirm(), 0);
    EXPECT_EQ(QuillonDownloadAndInstall(), 0);
}

TEST(Zephu, NoUpdateNoticeShowsAndCloses)
{
    int result = -1;
    std::thread shower([&result] { result = QuillonShowNoUpdate(1); });
    HWND notice = nullptr;
    bool shown = fwtest::PumpUntil(
        [&notice] {
            notice = ::FindWindowW(nullptr, ZEPHU_NOTICE_CAPTION);
            return notice != nullptr;
        },
        20000);
    EXPECT_TRUE(shown);
    if (notice != nullptr)
        ::PostMessageW(notice, WM_COMMAND, IDOK, 0);
    shower.join();
    EXPECT_EQ(result, 0);
}
