// The replaceable message sink of the layout file code.
#include "LayoutMessages.h"

namespace {
LayoutMessageHandler g_handler = nullptr;
} // namespace

LayoutMessageHandler SetLayoutMessageHandler(LayoutMessageHandler handler)
{
    LayoutMessageHandler previous = g_handler;
    g_handler = handler;
    return previous;
}

void ShowLayoutMessage(LPCWSTR text, LPCWSTR caption)
{
    if (g_handler != nullptr)
        g_handler(text == nullptr ? L"" : text, caption);
}
