// The first context menu of Windows 11, as the shell host builds it: the IExplorerCommand
// handlers a package manifest declares for files ("*") and folders ("Directory"), each shown
// as its root entry with its icon and a flyout of its subcommands.
#pragma once
#include "platform/Win.h"

#include <shobjidl.h>

#include <memory>
#include <string>
#include <vector>

namespace tarvix::tools {

class FirstMenuHost {
  public:
    // Loads the handlers the manifest declares for the items' kinds, from the DLL its COM class
    // names, in the manifest's folder (where the package's external location would be), and
    // gives each a site with `owner` as its window. Error() says why none loaded.
    FirstMenuHost(const std::wstring& manifest, const std::vector<std::wstring>& paths, HWND owner);
    ~FirstMenuHost();
    FirstMenuHost(const FirstMenuHost&) = delete;
    FirstMenuHost& operator=(const FirstMenuHost&) = delete;

    const std::wstring& Error() const;
    // Appends the shown entries to `menu`, identifiers from `firstId` on.
    void AddTo(HMENU menu, UINT firstId);
    // Prints the shown entries: "Title > [icon location]", then the subcommands indented as
    // "title {canonical name} tooltip", a separator as "----".
    void Print() const;
    // Runs the subcommand of this identifier (from AddTo) or of this title on the items;
    // E_INVALIDARG when there is none.
    HRESULT Invoke(UINT id);
    HRESULT Invoke(const std::wstring& title);

  private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace tarvix::tools
