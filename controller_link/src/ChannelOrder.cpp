// Parsing lamp formats into channel codes (see ChannelOrder.h).
#include "ChannelOrder.h"

#include <algorithm>

namespace {

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

} // namespace

void ParseChannelCodes(const CString& format, int stride, ChannelOrder& order)
{
    CString text(format);
    text.MakeUpper();
    order.codes.clear();
    int largest = 0;
    int current = 1;
    const int length = text.GetLength();
    for (int i = 0; i < length;) {
        const wchar_t letter = text[i++];
        std::uint32_t base = 0;
        std::uint32_t flag = 0;
        switch (letter) {
        case L'R':
            base = 2;
            break;
        case L'G':
            base = 1;
            break;
        case L'B':
            base = 0;
            break;
        case L'W':
            flag = kChannelWhite;
            break;
        case L'N':
            flag = kChannelWhite2;
            break;
        case L'Y':
            flag = kChannelFifth;
            break;
        default:
            continue; // separators, digits without a letter, anything else
        }
        bool numbered = false;
        int k = 0;
        for (; i < length && IsDigit(text[i]); ++i) {
            numbered = true;
            k = std::min(k * 10 + (text[i] - L'0'), kMaxChannelPixel);
        }
        std::uint32_t code = 0;
        if (flag == 0) {
            if (numbered && k >= 1) {
                code = base + static_cast<std::uint32_t>(stride) * static_cast<std::uint32_t>(k - 1);
                current = k;
            } else {
                // A number 0 keeps the code at its base and leaves the unit
                // on pixel 0, which no lamp answers to.
                code = base;
                current = numbered ? 0 : 1;
            }
        } else if (numbered) {
            code = flag | static_cast<std::uint32_t>(k);
            current = k;
        } else {
            code = flag | static_cast<std::uint32_t>(current);
        }
        if (order.codes.size() < 0xFFFF)
            order.codes.push_back(code);
        if (numbered)
            largest = std::max(largest, k);
    }
    order.pixelsPerLamp = static_cast<std::uint16_t>(std::max(largest, 1));
    order.channelCount = static_cast<std::uint16_t>(order.codes.size());
}

bool ParseChannelOrder(const CString& format, ChannelOrder& order)
{
    ParseChannelCodes(format, 4, order);
    return true;
}
