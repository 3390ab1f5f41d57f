#pragma once
// The application object: its name, its per-user profile store, its resources.

#include "platform/afx/wnd.h"

class CWinApp : public CCmdTarget {
  public:
    // With no name, the application is named after the executable's file name without its
    // extension. Exactly one application object exists; AfxGetApp() returns it.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();

    // Names the company folder of the profile store:
    // $XDG_CONFIG_HOME/<company>/<application name>.ini (XDG_CONFIG_HOME defaults to ~/.config).
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    // A missing, unreadable or garbled store reads as the default.
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    // Replaces the store atomically and keeps its other entries.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);

    HICON LoadIcon(UINT nIDResource) const;

    // F1: no help file ships with the program, so there is nothing to open.
    afx_msg void OnHelp();

    CWnd* m_pMainWnd = nullptr;
    CString m_strAppName;
    CString m_strRegistryKey;
};

CWinApp* AfxGetApp();
void AfxEnableControlContainer();
BOOL Enable3dControlsStatic();

inline constexpr UINT MB_OK = 0x0;
inline constexpr UINT MB_YESNO = 0x4;
inline constexpr UINT MB_ICONQUESTION = 0x20;
inline constexpr UINT MB_ICONWARNING = 0x30;
inline constexpr UINT MB_ICONEXCLAMATION = MB_ICONWARNING;
inline constexpr UINT MB_TYPEMASK = 0xF;
inline constexpr UINT MB_ICONMASK = 0xF0;

// A message box captioned with the application name. Returns IDOK, IDYES or IDNO.
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK);
