// Test fixture for the grid: a visible top-level parent that records the
// grid's notifications and commands, and a grid bound to a "SheetCtrl"
// placeholder child through DDX_GridControl, as the dialogs bind it.
#pragma once

#include "SheetCtrl.h"
#include "fw_testing.h"

#include <gtest/gtest.h>

#include <vector>

namespace gridtest {
constexpr int kGridId = 1001;
// Notification codes as the parent sees them.
constexpr int kClick = -2;
constexpr int kDblClk = -3;
constexpr int kRClick = -5;
constexpr int kChanging = -100;
constexpr int kChanged = -101;
constexpr int kBeginDrag = -109;
constexpr int kBeginEdit = -175;
constexpr int kEndEdit = -176;

class CTestParent : public CWnd {
public:
    struct Note {
        int code;
        int row;
        int col;
        bool operator==(const Note& o) const { return code == o.code && row == o.row && col == o.col; }
    };
    std::vector<Note> notes;
    std::vector<WPARAM> commands;

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr != nullptr && hdr->idFrom == static_cast<UINT_PTR>(kGridId)) {
            auto* nm = reinterpret_cast<NM_GRIDVIEW*>(lParam);
            notes.push_back({ static_cast<int>(hdr->code), nm->iRow, nm->iColumn });
            *pResult = 0;
            return TRUE;
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        commands.push_back(wParam);
        return TRUE;
    }
    int Count(int code) const
    {
        int n = 0;
        for (const Note& note : notes)
            n += note.code == code ? 1 : 0;
        return n;
    }
};

inline void SetKey(int vk, bool down)
{
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[vk] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

// Holds a modifier key down for a scope.
class CKeyHeld {
public:
    explicit CKeyHeld(int vk)
        : m_vk(vk)
    {
        SetKey(vk, true);
    }
    ~CKeyHeld() { SetKey(m_vk, false); }
    CKeyHeld(const CKeyHeld&) = delete;
    CKeyHeld& operator=(const CKeyHeld&) = delete;

private:
    int m_vk;
};

// A 10 x 5 grid (one fixed row and column), rows 20 and columns 50 pixels,
// in a 300 x 200 client area: everything fits, no scroll bars.
class GridTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 200;

    void SetUp() override
    {
        SetKey(VK_SHIFT, false);
        SetKey(VK_CONTROL, false);
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"Grid test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
            500, 400, nullptr, nullptr));
        HWND hPlaceholder
            = ::CreateWindowEx(0, SHEETCTRL_CLASSNAME, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, kWidth, kHeight,
                parent.m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kGridId)), AfxGetInstanceHandle(), nullptr);
        ASSERT_NE(hPlaceholder, nullptr);
        CDataExchange dx(&parent, FALSE);
        DDX_GridControl(&dx, kGridId, grid);
        ASSERT_EQ(grid.m_hWnd, hPlaceholder);
        Layout(10, 5);
    }
    void TearDown() override
    {
        fwtest::PumpPending();
        SetKey(VK_SHIFT, false);
        SetKey(VK_CONTROL, false);
        if (grid.m_hWnd != nullptr)
            grid.DestroyWindow();
        parent.DestroyWindow();
        fwtest::PumpPending();
    }

    void Layout(int rows, int cols, int fixedRows = 1, int fixedCols = 1)
    {
        grid.SetRowCount(rows);
        grid.SetColumnCount(cols);
        grid.SetFixedRowCount(fixedRows);
        grid.SetFixedColumnCount(fixedCols);
        for (int r = 0; r < rows; r++)
            grid.SetRowHeight(r, 20);
        for (int c = 0; c < cols; c++)
            grid.SetColumnWidth(c, 50);
        for (int r = 0; r < rows; r++)
            for (int c = 0; c < cols; c++)
                grid.SetItemText(r, c, Name(r, c));
        grid.SetModified(FALSE);
        parent.notes.clear();
    }
    static CString Name(int r, int c)
    {
        CString s;
        s.Format(L"r%dc%d", r, c);
        return s;
    }
    // The centre of a cell in client coordinates (columns 50, rows 20 wide,
    // nothing scrolled).
    static CPoint Centre(int r, int c) { return CPoint(c * 50 + 25, r * 20 + 10); }
    LRESULT Key(UINT vk) { return grid.SendMessage(WM_KEYDOWN, vk, 0); }
    LRESULT Char(UINT ch) { return grid.SendMessage(WM_CHAR, ch, 0); }
    void Mouse(UINT msg, CPoint pt, UINT flags = 0) { grid.SendMessage(msg, flags, MAKELPARAM(pt.x, pt.y)); }
    void Click(CPoint pt, UINT flags = 0)
    {
        Mouse(WM_LBUTTONDOWN, pt, MK_LBUTTON | flags);
        Mouse(WM_LBUTTONUP, pt, flags);
    }

    fwtest::CFakeClock clock;
    CTestParent parent;
    CSheetCtrl grid;
};
} // namespace gridtest
