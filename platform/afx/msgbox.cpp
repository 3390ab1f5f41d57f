#include <cerrno>
#include <string>

#include "platform/afx/app.h"
#include "platform/afx/backend.h"

int AfxMessageBox(LPCTSTR lpszText, UINT nType) {
    const CWinApp* app = AfxGetApp();
    // Before the application object exists, the process's own name is the nearest caption.
    const std::string caption =
        app != nullptr ? std::string(app->m_strAppName.Text()) : program_invocation_short_name;
    return afx::CurrentBackend().MessageBox(lpszText != nullptr ? lpszText : "", caption, nType);
}
