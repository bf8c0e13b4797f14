// The first menu's commands (IExplorerCommand) reached as Explorer reaches them, the sites it
// gives them, and item arrays of the tests' own.
#pragma once
#include "platform/ComHandles.h"
#include "platform/Win.h"

#include <shobjidl.h>

#include <string>
#include <vector>

namespace tarvix::test {

// The subcommands of a root command, in order.
std::vector<ComRef<IExplorerCommand>> Subcommands(IExplorerCommand* root);
// The subcommand whose canonical name is that of the classic command `index`, or null.
ComRef<IExplorerCommand> SubcommandFor(IExplorerCommand* root, unsigned index);

// A site as the shell gives one: it tells `window` through IOleWindow; with no window it has
// no IOleWindow at all. One reference.
IUnknown* NewSite(HWND window);

// Runs the classic command `index` from the first menu: the root gets a site with `owner`,
// then the subcommand is invoked on `items`.
HRESULT InvokeFromFirstMenu(IExplorerCommand* root, unsigned index, IShellItemArray* items,
                            HWND owner);

// An item of the tests' own array: with a file-system path, or with none (path empty), then
// known by `name`.
struct OwnItem {
    std::wstring path;
    std::wstring name;
};
// An array of items of the tests' own, which have no ID lists: the shell cannot make items for
// paths of 260 characters and more. One reference.
IShellItemArray* OwnItemArray(const std::vector<OwnItem>& items);
IShellItemArray* OwnItemArray(const std::vector<std::wstring>& paths);

// The text a command's method answers through its LPWSTR out-parameter, freed; empty when it
// failed. Called as Answered([&](LPWSTR* text) { return command->GetTitle(nullptr, text); }).
template <class Ask> std::wstring Answered(Ask&& ask) {
    LPWSTR text = nullptr;
    const HRESULT result = ask(&text);
    std::wstring answer = SUCCEEDED(result) && text != nullptr ? text : L"";
    ::CoTaskMemFree(text);
    return answer;
}

} // namespace tarvix::test
