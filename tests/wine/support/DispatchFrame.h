// A fixture for running commands through the dispatcher as the shell would: a window of the
// shell that invokes, and an owner window from before that the dispatcher must restore.
#pragma once
#include "FirstMenu.h"
#include "platform/Faults.h"
#include "platform/Module.h"
#include "shell/Dispatch.h"
#include "shell/Server.h"
#include "shell/TarvixCommand.h"
#include "shell/TarvixExtFactory.h"
#include "tools/ShellItems.h"

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

enum class Menu { Classic, First };

// For tests that run each command from both menus and expect the same: the classic one by
// InvokeCommand on `selection`, the first one by its subcommand's Invoke on items for the
// same paths, the shell's own (objects of one folder), or the tests' own where the shell
// cannot make them.
class BothMenus : public DispatchFrame, public ::testing::WithParamInterface<Menu> {
  protected:
    HRESULT Choose(unsigned index) {
        if (GetParam() == Menu::Classic) {
            return DispatchFrame::Choose(index);
        }
        ComRef<IExplorerCommand> root;
        FindFactory(CLSID_TarvixCommand)
            ->CreateInstance(nullptr, IID_IExplorerCommand, ReceiveAs(root));
        const std::vector<std::wstring>& paths = selection.Paths();
        ComRef<IShellItemArray> items(shellItems ? tools::ShellItemArray(paths)
                                                 : OwnItemArray(paths));
        EXPECT_TRUE(root && items);
        return root && items ? InvokeFromFirstMenu(root.Get(), index, items.Get(), shellWindow)
                             : E_UNEXPECTED;
    }
    bool shellItems = true;
};

inline std::string MenuName(const ::testing::TestParamInfo<Menu>& menu) {
    return menu.param == Menu::Classic ? "Classic" : "FirstMenu";
}

} // namespace tarvix::test
