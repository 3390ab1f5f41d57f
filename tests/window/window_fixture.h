#pragma once
// Runs the real application and its main window on the headless backend, against a simulated
// timer on a pseudo-terminal of its own, with a fresh settings store and port map per test.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "platform/afx/headless/headless_backend.h"
#include "sim/pty_timer.h"
#include "tests/support/config_home.h"
#include "window/TimerConfigApp.h"
#include "window/TimerConfigDlg.h"

namespace windowtest {

using afx::headless::HeadlessDialog;
using afx::headless::MessageBoxRecord;

inline constexpr const char* kTimerPort = "COM9";
inline constexpr const char* kSetupWarning = "Could not put timer into setup mode!";
inline constexpr const char* kBusyWarning = "Port is already in use by another process";

// The buttons that work only while a timer is connected.
inline constexpr int kTimerButtons[] = {
    IDC_DISCONNECT,          IDC_SET_TIMEOUT,       IDC_REFRESH,          IDC_CHANGE_FINISH_MODE,
    IDC_CHANGE_SEGMENT_MODE, IDC_CHANGE_DIGIT_MODE, IDC_SET_ACTIVE_LANES, IDC_CHANGE_GATE_MODE};

class WindowTest : public testing::Test {
  protected:
    WindowTest() { home_.MaskSerialConsolePorts(); }

    // Starts a simulated timer and publishes it in the port map as COM9.
    sim::PtyTimer& StartTimer(sim::Options options = {}) {
        timer_ = std::make_unique<sim::PtyTimer>(std::move(options));
        timer_->MapAs(kTimerPort);
        return *timer_;
    }
    sim::PtyTimer& Timer() { return *timer_; }

    // Runs the application; `driver` acts in the open window, as a person would.
    void RunApp(const std::function<void(CTimerConfigDlg&, HeadlessDialog&)>& driver) {
        backend_.SetDriver([&](HeadlessDialog& window) {
            auto* dlg = static_cast<CTimerConfigDlg*>(theApp.m_pMainWnd);
            ASSERT_NE(dlg, nullptr);
            driver(*dlg, window);
        });
        EXPECT_FALSE(theApp.InitInstance());
    }

    // Types the port name and clicks Connect.
    static void Connect(HeadlessDialog& window, const std::string& port = kTimerPort) {
        ASSERT_TRUE(window.Type(IDC_PORT, port));
        ASSERT_TRUE(window.Click(IDC_CONNECT));
    }

    afx::headless::HeadlessBackend& Backend() { return backend_; }
    const std::vector<MessageBoxRecord>& Boxes() const { return backend_.Boxes(); }

    // The texts of the boxes shown so far.
    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : backend_.Boxes()) texts.push_back(box.text);
        return texts;
    }

    std::string StorePath() const {
        return home_.Path().string() + "/Tavrick/" + std::string(theApp.m_strAppName.Text()) +
               ".ini";
    }
    std::string StoreText() const {
        std::ifstream in(StorePath());
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void StorePort(const std::string& port) {
        theApp.SetRegistryKey("Tavrick");
        theApp.WriteProfileString("Settings", "ComPort", port.c_str());
    }
    std::string StoredPort() {
        theApp.SetRegistryKey("Tavrick");
        return std::string(theApp.GetProfileString("Settings", "ComPort", "").Text());
    }

    test_support::ScopedConfigHome home_;

  private:
    afx::headless::HeadlessBackend backend_;
    std::unique_ptr<sim::PtyTimer> timer_;
};

// Every setting as the window shows it after a full read.
inline std::string Shown(const HeadlessDialog& window) {
    std::string lanes;
    for (int i = 0; i < 6; ++i) lanes += window.Check(IDC_LANE1 + i) ? '1' : '0';
    return "T=" + window.Text(IDC_RACE_TIMEOUT) + " F=" + window.Text(IDC_FINISH_TEXT) +
           " G=" + window.Text(IDC_GATE_TEXT) + " S=" + window.Text(IDC_SEGMENT_TEXT) +
           " D=" + window.Text(IDC_DIGIT_TEXT) + " lanes=" + lanes;
}

inline constexpr const char* kConnectBytes = "VyubT?F?G?S?D?L?";
inline constexpr const char* kRefreshBytes = "T?F?G?S?D?L?";

}  // namespace windowtest
