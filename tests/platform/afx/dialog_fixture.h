#pragma once
// An application object, the headless backend and the test dialog, ready to run modally with
// a driver that plays the person at the keyboard.

#include <gtest/gtest.h>

#include <functional>

#include "platform/afx/headless/headless_backend.h"
#include "tests/platform/afx/test_dialog.h"
#include "tests/support/config_home.h"

namespace afx_test {

using afx::headless::HeadlessBackend;
using afx::headless::HeadlessDialog;

class DialogFixture : public ::testing::Test {
  protected:
    int Run(std::function<void(HeadlessDialog&)> driver) {
        backend_.SetDriver(std::move(driver));
        return dlg_.DoModal();
    }

    test_support::ScopedConfigHome home_;
    CWinApp app_;
    HeadlessBackend backend_;
    CTestDlg dlg_;
};

}  // namespace afx_test
