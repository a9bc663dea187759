// The five exports of Quorra.dll. Each runs with the library's module state,
// and nothing thrown inside leaves the library.
#include "Quorra.h"
#include "QuorraApp.h"

QUORRA_API HWND __stdcall SetMsgHandleWnd(HWND hWnd)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    TheQuorraApp().m_hMsgWnd = hWnd;
    return hWnd;
}

QUORRA_API CDC* __stdcall SetColorOutDC(CDC* pDC)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    TheQuorraApp().m_pColorOutDC = pDC;
    return pDC;
}

QUORRA_API void __stdcall ShowMaker()
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    try {
        TheQuorraApp().ShowMaker();
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
        // Nothing may leave the library.
    }
}

QUORRA_API int __stdcall GetOutPutFileList(CStringArray* pList)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    try {
        CStringArray& files = TheQuorraApp().m_outputFiles;
        if (pList != nullptr)
            pList->Append(files);
        return static_cast<int>(files.GetSize());
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return 0;
}

QUORRA_API int __stdcall FennixSetLanguage(int nLanguage)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    TheQuorraApp().m_nLanguage = nLanguage;
    return nLanguage;
}
