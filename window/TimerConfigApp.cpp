#include "window/TimerConfigApp.h"

#include "window/TimerConfigDlg.h"

BEGIN_MESSAGE_MAP(CTimerConfigApp, CWinApp)
ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CTimerConfigApp theApp;

BOOL CTimerConfigApp::InitInstance() {
    AfxEnableControlContainer();
    SetRegistryKey("Tavrick");
    Enable3dControlsStatic();

    CTimerConfigDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;

    // The window was the whole program: no message loop of our own follows.
    return FALSE;
}
