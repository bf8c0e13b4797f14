// A fixture for running commands through the dispatcher as the shell would: a window of the
// shell that invokes, and an owner window from before that the dispatcher must restore.
#pragma once
#include "platform/Faults.h"
#include "platform/Module.h"
#include "shell/Dispatch.h"
#include "shell/Server.h"

#include <gtest/gtest.h>

namespace tarvix::test {

class DispatchFrame : public ::testing::Test {
  protected:
    void SetUp() override {
        previousOwner = ::CreateWindowA("STATIC", "before", WS_POPUP, 0, 0, 10, 10, nullptr,
                                        nullptr, nullptr, nullptr);
        shellWindow = ::CreateWindowA("STATIC", "shell", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      nullptr, nullptr);
        SetOwnerWindow(previousOwner);
    }
    void TearDown() override {
        ClearFaults();
        SetOwnerWindow(nullptr);
        ::DestroyWindow(shellWindow);
        ::DestroyWindow(previousOwner);
    }
    // InvokeCommand by index (or a verb string) from the shell window, on `selection`.
    HRESULT Choose(const char* verb) {
        CMINVOKECOMMANDINFO info{};
        info.cbSize = sizeof(info);
        info.hwnd = shellWindow;
        info.lpVerb = verb;
        return DispatchCommand(&info, selection);
    }
    HRESULT Choose(unsigned index) { return Choose(MAKEINTRESOURCEA(index)); }

    HWND previousOwner = nullptr;
    HWND shellWindow = nullptr;
    Selection selection;
};

} // namespace tarvix::test
