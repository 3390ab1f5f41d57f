#pragma once
// Windows and controls as the program sees them: a thin handle on a control of a dialog.

#include "platform/afx/cstring.h"
#include "platform/afx/message_map.h"
#include "platform/afx/resources.h"

namespace afx {
class DialogPeer;
}

using HICON = const afx::IconResource*;
using HCURSOR = HICON;
using HDC = void*;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

inline constexpr UINT WM_SETICON = 0x0080;
inline constexpr UINT WM_ICONERASEBKGND = 0x0027;
inline constexpr WPARAM ICON_SMALL = 0;
inline constexpr WPARAM ICON_BIG = 1;
inline constexpr int SM_CXICON = 11;
inline constexpr int SM_CYICON = 12;

struct CRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

class CWnd : public CCmdTarget {
  public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    void GetWindowText(CString& text) const;
    void SetWindowText(LPCTSTR text);
    void SetFocus();
    int GetDlgCtrlID() const { return id_; }
    bool IsBound() const { return peer_ != nullptr; }

    // The framework binds a control handle to a control of an open dialog.
    void Attach(afx::DialogPeer* peer, int id);
    void Detach();

    afx_msg void OnDestroy() {}
    afx_msg void OnPaint() {}

  protected:
    afx::DialogPeer* peer_ = nullptr;
    int id_ = 0;
};

class CButton : public CWnd {
  public:
    int GetCheck() const;
    void SetCheck(int state);
};

class CComboBox : public CWnd {
  public:
    int AddString(LPCTSTR text);
    int GetCount() const;
    void GetLBText(int index, CString& text) const;
};

class CPaintDC {
  public:
    explicit CPaintDC(CWnd* wnd);
    HDC GetSafeHdc() const { return hdc_; }
    BOOL DrawIcon(int x, int y, HICON icon);

  private:
    CWnd* wnd_;
    HDC hdc_;
};

int GetSystemMetrics(int index);
