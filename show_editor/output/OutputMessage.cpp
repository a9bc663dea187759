// Message boxes of the hardware and output code (replaceable by tests).
#include "OutputMessage.h"

namespace {
OutputMessageHandler g_handler = nullptr;
}

int ShowOutputMessage(LPCWSTR text, LPCWSTR caption, UINT type)
{
    if (g_handler != nullptr)
        return g_handler(text, caption, type);
    return ::MessageBoxW(::GetActiveWindow(), text, caption, type);
}

OutputMessageHandler SetOutputMessageHandler(OutputMessageHandler handler)
{
    OutputMessageHandler previous = g_handler;
    g_handler = handler;
    return previous;
}
