// Entry point of the show editor, Vantrel.exe: the one application object
// and the framework's start.
#include "dornel_app.h"

CDornelApp theApp;

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
