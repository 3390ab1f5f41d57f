#include "platform/afx/wx/run_program.h"

#include "platform/afx/app.h"
#include "platform/afx/wx/wx_backend.h"

namespace afx::wx {

int RunProgram() {
    WxBackend backend;
    SetBackend(&backend);
    // InitInstance returns FALSE once its window has closed: that is the normal end.
    if (CWinApp* app = AfxGetApp()) app->InitInstance();
    SetBackend(nullptr);
    return 0;
}

}  // namespace afx::wx
