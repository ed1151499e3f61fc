#pragma once
// A test that prepares the sandbox first and then starts the program on it.
#include <gtest/gtest.h>

#include <optional>

#include "app/control_ids.h"
#include "driver.h"
#include "sandbox.h"

namespace e2e {

class ProgramTest : public SandboxTest {
protected:
    // Starts the program (ending one started before) and waits for its main window;
    // nullptr when it did not show.
    HWND Start(const std::wstring& workingFolder = L"") {
        program_.reset();
        program_.emplace(L"", workingFolder);
        window_ = program_->WaitForMainWindow();
        return window_;
    }
    Program& Running() { return *program_; }
    HWND Window() const { return window_; }
    HWND On(int tab, int controlId) const;

    void TearDown() override {
        program_.reset();
        SandboxTest::TearDown();
    }

private:
    std::optional<Program> program_;
    HWND window_ = nullptr;
};

inline HWND ProgramTest::On(int tab, int controlId) const {
    return PageControl(window_, ravenlock::ids::kPageFirst + tab, controlId);
}

}  // namespace e2e
