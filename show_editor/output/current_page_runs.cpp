// How the chip parameter page runs the channel current and backup output
// dialogs.
#include "current_page_runs.h"

#include <cstring>

int ChipCurrentDialogFor(const CString& chip, BYTE& chipKind)
{
    chipKind = 0;
    for (LPCWSTR name : { L"TM1829", L"CX808", L"GW6230", L"GW6236" }) {
        if (chip == name)
            return 1;
    }
    const struct {
        LPCWSTR name;
        BYTE kind;
    } fourChannel[] = { { L"TM1814", 0 }, { L"UCS5603", 1 }, { L"SM16736", 2 }, { L"SM16804P", 3 } };
    for (const auto& entry : fourChannel) {
        if (chip == entry.name) {
            chipKind = entry.kind;
            return 2;
        }
    }
    if (chip == L"SM16803P")
        return 3;
    return 0;
}

BOOL RunChipCurrentDialog(CWnd* pParent, const CString& chip, const ConfigTextSource& text, ChipCurrentValues& values)
{
    BYTE kind = 0;
    switch (ChipCurrentDialogFor(chip, kind)) {
    case 1: {
        CElectricABCDlg dlg(pParent);
        dlg.SetTextSource(text);
        dlg.m_current[0] = values.CurrentA;
        dlg.m_current[1] = values.CurrentB;
        dlg.m_current[2] = values.CurrentC;
        if (dlg.DoModal() != IDOK)
            return FALSE;
        values.CurrentA = dlg.m_current[0];
        values.CurrentB = dlg.m_current[1];
        values.CurrentC = dlg.m_current[2];
        return TRUE;
    }
    case 2: {
        CElectricABCDDlg dlg(pParent);
        dlg.SetTextSource(text);
        dlg.m_kind = kind;
        std::memcpy(dlg.m_current, values.ChipCurrents, sizeof(dlg.m_current));
        dlg.m_mode48 = values.Ucs5603HighCurrent;
        if (dlg.DoModal() != IDOK)
            return FALSE;
        std::memcpy(values.ChipCurrents, dlg.m_current, sizeof(values.ChipCurrents));
        if (kind == 1)
            values.Ucs5603HighCurrent = dlg.m_mode48;
        return TRUE;
    }
    case 3: {
        CElectricABCDDlg1 dlg(pParent);
        dlg.SetTextSource(text);
        std::memcpy(dlg.m_current, values.ChipCurrents, sizeof(dlg.m_current));
        dlg.m_resistor = values.ChipCurrents[3];
        if (dlg.DoModal() != IDOK)
            return FALSE;
        std::memcpy(values.ChipCurrents, dlg.m_current, sizeof(dlg.m_current));
        values.ChipCurrents[3] = dlg.m_resistor;
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL RunTwelveCurrentDialog(CWnd* pParent, const ConfigTextSource& text, BYTE (&currents)[12])
{
    CElectricABC1Dlg dlg(pParent);
    dlg.SetTextSource(text);
    std::memcpy(dlg.m_current, currents, sizeof(currents));
    if (dlg.DoModal() != IDOK)
        return FALSE;
    std::memcpy(currents, dlg.m_current, sizeof(currents));
    return TRUE;
}

BOOL RunBackupOutputDialog(CWnd* pParent, int& backupMode, int& idleHigh, const ConfigTextSource& text)
{
    CCX808Dlg dlg(pParent);
    dlg.SetTextSource(text);
    dlg.m_backupMode = backupMode;
    dlg.m_idleHigh = idleHigh;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    backupMode = dlg.m_backupMode;
    idleHigh = dlg.m_idleHigh;
    return TRUE;
}
