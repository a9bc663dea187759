// Keeps the desktop of a test session in use while the tests run: Wine ends
// a desktop's process (explorer) soon after its last program has gone, and
// the one the next program starts inherits that program's output pipe.
// The sandbox starts one keeper per session and ends it with the session.
#include <windows.h>

int wmain()
{
    ::GetDesktopWindow();
    for (;;)
        ::Sleep(INFINITE);
}
