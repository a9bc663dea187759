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
    texts.offset = GetLangText(L"LAYOUT", 1011);
    texts.adjusted = GetLangText(L"LAYOUT", 1012);
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

CString DecoratePortLabel(const CString& label, int dataOffset, bool adjusted, const CTreeLabelTexts& texts)
{
    const CString offsetWord = texts.offset.IsEmpty() ? CString(L"偏移") : texts.offset;
    const CString adjustedWord = texts.adjusted.IsEmpty() ? CString(L"逐点调") : texts.adjusted;
    CString out = label;
    if (dataOffset != 0) {
        CString withOffset;
        withOffset.Format(L"%s_%s:%d)", static_cast<LPCWSTR>(WithoutLastCharacter(out)),
            static_cast<LPCWSTR>(offsetWord), dataOffset);
        out = withOffset;
    }
    if (adjusted) {
        CString withAdjusted;
        withAdjusted.Format(
            L"%s_%s)", static_cast<LPCWSTR>(WithoutLastCharacter(out)), static_cast<LPCWSTR>(adjustedWord));
        out = withAdjusted;
    }
    return out;
}
