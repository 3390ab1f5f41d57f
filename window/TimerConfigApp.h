#pragma once
// The application object: starts the one window and ends when it closes.

#include "platform/afx/afx.h"

class CTimerConfigApp : public CWinApp {
  public:
    CTimerConfigApp() = default;
    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};

extern CTimerConfigApp theApp;
