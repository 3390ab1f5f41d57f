#include "platform/afx/app.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/afx/profile_store.h"

namespace {

CWinApp* theApp = nullptr;

// The executable's file name without its extension, as the program's name.
std::string ExecutableName() {
    std::string path;
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (n > 0 && static_cast<size_t>(n) < sizeof buffer) {
        path.assign(buffer, static_cast<size_t>(n));
        // The kernel marks an executable replaced on disk while running (a rebuild).
        constexpr std::string_view kDeleted = " (deleted)";
        if (path.ends_with(kDeleted)) path.resize(path.size() - kDeleted.size());
    } else {
        path = program_invocation_short_name;
    }
    std::string name = path.substr(path.find_last_of('/') + 1);
    if (const size_t dot = name.find_last_of('.'); dot != std::string::npos && dot > 0) {
        name.erase(dot);
    }
    return name;
}

}  // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName) {
    if (theApp != nullptr) {
        std::fprintf(stderr, "zelvora: a second application object was made\n");
        std::abort();
    }
    theApp = this;
    m_strAppName = lpszAppName != nullptr ? CString(lpszAppName) : CString(ExecutableName());
}

CWinApp::~CWinApp() {
    if (theApp == this) theApp = nullptr;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey) {
    m_strRegistryKey = lpszRegistryKey;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) {
    const CString fallback(lpszDefault);
    if (lpszSection == nullptr || lpszEntry == nullptr) return fallback;
    const auto value =
        afx::ReadProfileValue(afx::ProfileStorePath(m_strRegistryKey.Text(), m_strAppName.Text()),
                              lpszSection, lpszEntry);
    return value ? CString(*value) : fallback;
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue) {
    if (lpszSection == nullptr || lpszEntry == nullptr || lpszValue == nullptr) return FALSE;
    return afx::WriteProfileValue(
               afx::ProfileStorePath(m_strRegistryKey.Text(), m_strAppName.Text()), lpszSection,
               lpszEntry, lpszValue)
               ? TRUE
               : FALSE;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const {
    return afx::FindIcon(static_cast<int>(nIDResource));
}

void CWinApp::OnHelp() {}

CWinApp* AfxGetApp() {
    return theApp;
}

// The toolkits host every control themselves and draw them in their own style.
void AfxEnableControlContainer() {}
BOOL Enable3dControlsStatic() {
    return TRUE;
}
