// Check boxes of report lists (see CheckListRows.h).
#include "CheckListRows.h"

#include <fw_uihost.h>

#include <algorithm>

#include "ChannelAdjust.h"
#include "PannexLabels.h"

std::vector<bool> GetRowChecks(const CListCtrl& list)
{
    const int rows = list.GetSafeHwnd() != nullptr ? list.GetItemCount() : 0;
    std::vector<bool> checks(static_cast<size_t>(std::max(rows, 0)));
    for (int i = 0; i < rows; ++i)
        checks[static_cast<size_t>(i)] = list.GetCheck(i) != FALSE;
    return checks;
}

void SetRowChecks(CListCtrl& list, const std::vector<bool>& checks)
{
    const int rows = std::min(list.GetItemCount(), static_cast<int>(checks.size()));
    for (int i = 0; i < rows; ++i) {
        if ((list.GetCheck(i) != FALSE) != checks[static_cast<size_t>(i)])
            list.SetCheck(i, checks[static_cast<size_t>(i)] ? TRUE : FALSE);
    }
}

void CheckRowRange(CListCtrl& list, int first, int last)
{
    first = std::max(first, 1);
    last = std::min(last, list.GetItemCount());
    for (int row = first; row <= last; ++row)
        list.SetCheck(row - 1, TRUE);
}

namespace {

bool AskTip(CWnd& owner, int key, LPCWSTR fallback)
{
    return AfxGetUiHost().MessageBox(owner.GetSafeHwnd(), LangTextOr(L"LAYOUT", key, fallback), L"Tip", MB_YESNO)
        == IDYES;
}

} // namespace

void AskCheckAll(CWnd& owner, CListCtrl& list, bool check)
{
    if (!(check ? AskTip(owner, 2665, L"确定选择所有?") : AskTip(owner, 2666, L"确定取消选择?")))
        return;
    SetRowChecks(list, std::vector<bool>(static_cast<size_t>(list.GetItemCount()), check));
}

void AskIntervalSelection(CWnd& owner, CListCtrl& list, int gap)
{
    if (!AskTip(owner, 2667, L"确定间隔选择?"))
        return;
    std::vector<bool> checks = GetRowChecks(list);
    if (!RepeatCheckedPattern(checks, gap)) {
        AfxGetUiHost().MessageBox(owner.GetSafeHwnd(),
            LangTextOr(L"LAYOUT", 2668, L"间隔通道数不能为负数,也不能超过列表的行数"), L"Tip", MB_OK);
        return;
    }
    SetRowChecks(list, checks);
}

void InvertRowChecks(CListCtrl& list)
{
    std::vector<bool> checks = GetRowChecks(list);
    checks.flip();
    SetRowChecks(list, checks);
}
