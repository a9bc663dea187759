// A small window with a grid, filled like the table dialogs fill theirs, for
// looking at the control by eye (tools/screenshot.sh).
#include "SheetCtrl.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    CWnd frame;
    if (!frame.CreateEx(0,
            AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1)),
            L"Grid control", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 560, 360, nullptr, nullptr))
        return 1;
    CSheetCtrl grid;
    HWND hPlaceholder = ::CreateWindowEx(WS_EX_CLIENTEDGE, SHEETCTRL_CLASSNAME, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
        10, 10, 520, 290, frame.m_hWnd, reinterpret_cast<HMENU>(1001), AfxGetInstanceHandle(), nullptr);
    if (hPlaceholder == nullptr || !grid.SubclassWindow(hPlaceholder) || !grid.Initialise())
        return 1;

    grid.SetDefCellHeight(20);
    grid.EnableTitleTips(FALSE);
    grid.SetRowCount(20);
    grid.SetColumnCount(5);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    const wchar_t* headers[] = { L"Port", L"Start", L"Channels", L"Chip", L"Note" };
    for (int c = 0; c < 5; c++) {
        GridItem item;
        item.row = 0;
        item.col = c;
        item.mask = GVIF_TEXT | GVIF_FORMAT;
        item.nFormat = DT_CENTER | DT_VCENTER | DT_NOPREFIX;
        item.strText = headers[c];
        grid.SetItem(&item);
        grid.SetColumnWidth(c, c == 4 ? 140 : 80);
    }
    for (int r = 1; r < 20; r++) {
        CString s;
        s.Format(L"C1P%d", r);
        grid.SetItemText(r, 0, s);
        s.Format(L"%d", 1 + (r - 1) * 3);
        grid.SetItemText(r, 1, s);
        grid.SetItemText(r, 2, L"3");
        grid.SetItemText(r, 3, r % 2 ? L"UCS512" : L"TM512");
    }
    grid.GetCell(4, 4)->SetBackClr(RGB(255, 240, 160));
    grid.SetItemText(4, 4, L"own background");
    grid.SetSelectedRange(2, 1, 3, 3);
    grid.SetFocusCell(3, 2);
    grid.SetModified(FALSE);

    MSG msg;
    while (::GetMessage(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return 0;
}
