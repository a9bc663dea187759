// The preview program with a show already chosen, for a look at it without
// driving the file dialogs: tavisk_demo.exe <show file> [layout file].
#include <afxwin.h>

#include "MainFrm.h"
#include "TaviskApp.h"
#include "resource.h"

namespace {

class CDemoApp : public CTaviskApp {
public:
    BOOL InitInstance() override
    {
        if (!CTaviskApp::InitInstance())
            return FALSE;
        auto* frame = dynamic_cast<CMainFrame*>(m_pMainWnd);
        if (frame == nullptr || __argc < 2)
            return TRUE;
        CLeftDockerContent& content = frame->m_leftDocker.Content();
        content.ListShowFolder(__wargv[1]);
        if (__argc >= 3 && content.m_document != nullptr) {
            content.m_layoutMode = 1;
            content.CheckDlgButton(IDC_LAYOUT_MODE, BST_CHECKED);
            content.m_document->SetLayoutFile(__wargv[2]);
            const CString path(__wargv[2]);
            content.SetDlgItemText(IDC_LAYOUT_NAME, path.Mid(path.ReverseFind(L'\\') + 1));
        }
        frame->PostMessage(WM_PREVIEW_MOUSE_POS, 20, 12);
        return TRUE;
    }
};

CDemoApp theApp;

} // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
