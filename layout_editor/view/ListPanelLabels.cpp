// Texts of the list panel's tree (see ListPanelLabels.h).
#include "ListPanelLabels.h"

#include "FormatCheck.h"
#include "LayoutLangText.h"

namespace {
constexpr LPCWSTR kRootFormat = L"Project (%d ports, %d channels)";
constexpr LPCWSTR kControllerFormat = L"Controller %d";
constexpr LPCWSTR kPortFormat = L"[%d] Port %d (%d)";

CString WithoutLastCharacter(const CString& text)
{
    return text.IsEmpty() ? text : text.Left(text.GetLength() - 1);
}
} // namespace

CTreeLabelTexts LoadTreeLabelTexts()
{
    CTreeLabelTexts texts;
    texts.root = GetLangText(L"LAYOUT", 157);
    texts.controller = GetLangText(L"LAYOUT", 158);
    texts.port = GetLangText(L"LAYOUT", 159);
    return texts;
}

CString RootLabel(const CTreeLabelTexts& texts, int portsPerController, int channelsPerPort)
{
    return FormatCheckedText(texts.root, kRootFormat, "dd", portsPerController, channelsPerPort);
}

CString ControllerLabel(const CTreeLabelTexts& texts, int number)
{
    return FormatCheckedText(texts.controller, kControllerFormat, "d", number);
}

CString PortLabel(const CTreeLabelTexts& texts, int formatNumber, int portNumber, int lampCount)
{
    return FormatCheckedText(texts.port, kPortFormat, "ddd", formatNumber, portNumber, lampCount);
}

CString DecoratePortLabel(const CString& label, int dataOffset, bool adjusted)
{
    CString out = label;
    if (dataOffset != 0) {
        CString withOffset;
        withOffset.Format(L"%s_偏移:%d)", static_cast<LPCWSTR>(WithoutLastCharacter(out)), dataOffset);
        out = withOffset;
    }
    if (adjusted) {
        CString withAdjusted;
        withAdjusted.Format(L"%s_逐点调)", static_cast<LPCWSTR>(WithoutLastCharacter(out)));
        out = withAdjusted;
    }
    return out;
}
