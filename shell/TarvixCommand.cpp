#include "TarvixCommand.h"

#include "CommandTable.h"
#include "Dispatch.h"
#include "ItemIntake.h"
#include "Resources.h"
#include "Server.h"
#include "ServerObject.h"
#include "platform/ComGuard.h"
#include "platform/Module.h"
#include "platform/Text.h"
#include "strings/Messages.h"
#include "strings/RSUnit.h"

#include <shlwapi.h>
#include <shobjidl.h>

#include <new>
#include <string>
#include <vector>

namespace tarvix {

const CLSID CLSID_TarvixCommand = {
    0x53544206, 0x71C7, 0x4735, {0x8D, 0x8B, 0x31, 0x83, 0x76, 0xEA, 0xBE, 0xC6}};
const GUID kSeparatorCanonicalName = {
    0x3D50A4B0, 0xF288, 0x4A00, {0xAC, 0x5F, 0xD5, 0x44, 0x95, 0x03, 0xA2, 0x73}};

namespace {

// What every command of the first menu shares: its reference count, which the server's
// object count follows, and its site. A subcommand keeps its root alive and uses the root's
// site when the shell gave it none of its own.
class CommandObject : public ServerObject<IExplorerCommand, IObjectWithSite> {
  public:
    CommandObject(CommandObject* root, const GUID& canonicalName, EXPCMDFLAGS flags)
        : root_(root), canonicalName_(canonicalName), flags_(flags) {
        if (root_ != nullptr) {
            root_->AddRef();
        }
    }
    ~CommandObject() override {
        SetSite(nullptr);
        if (root_ != nullptr) {
            root_->Release();
        }
    }

    // IExplorerCommand: what a command without it answers. A subcommand is enabled: the root
    // has decided for the selection already.
    STDMETHODIMP GetIcon(IShellItemArray*, LPWSTR* icon) override { return NotHere(icon); }
    STDMETHODIMP GetToolTip(IShellItemArray*, LPWSTR* tip) override { return NotHere(tip); }
    STDMETHODIMP GetState(IShellItemArray*, BOOL, EXPCMDSTATE* state) override {
        if (state == nullptr) {
            return E_POINTER;
        }
        *state = ECS_ENABLED;
        return S_OK;
    }
    STDMETHODIMP Invoke(IShellItemArray*, IBindCtx*) override { return E_NOTIMPL; }
    STDMETHODIMP EnumSubCommands(IEnumExplorerCommand** commands) override {
        return NotHere(commands);
    }
    STDMETHODIMP GetCanonicalName(GUID* name) override { return Give(name, canonicalName_); }
    STDMETHODIMP GetFlags(EXPCMDFLAGS* flags) override { return Give(flags, flags_); }

    // IObjectWithSite
    STDMETHODIMP SetSite(IUnknown* site) override {
        if (site != nullptr) {
            site->AddRef();
        }
        if (site_ != nullptr) {
            site_->Release();
        }
        site_ = site;
        return S_OK;
    }
    STDMETHODIMP GetSite(REFIID riid, void** ppv) override {
        if (ppv == nullptr) {
            return E_POINTER;
        }
        *ppv = nullptr;
        return site_ != nullptr ? site_->QueryInterface(riid, ppv) : E_FAIL;
    }

  protected:
    template <class Out> static HRESULT NotHere(Out** out) {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = nullptr;
        return E_NOTIMPL;
    }
    template <class Value> static HRESULT Give(Value* out, Value value) {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = value;
        return S_OK;
    }
    // A text made by `make`, in memory the caller frees.
    template <class Make> static HRESULT GiveText(LPWSTR* out, Make&& make) {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = nullptr;
        return GuardedHresult(E_OUTOFMEMORY, [&] { return ::SHStrDupW(make().c_str(), out); });
    }

    // The window of the shell the command was chosen in; none when no site gives one.
    HWND SiteWindow() const {
        IUnknown* site = site_ != nullptr || root_ == nullptr ? site_ : root_->site_;
        HWND window = nullptr;
        if (site == nullptr || FAILED(::IUnknown_GetWindow(site, &window))) {
            return nullptr;
        }
        return window;
    }

  private:
    CommandObject* root_;
    const GUID canonicalName_;
    const EXPCMDFLAGS flags_;
    IUnknown* site_ = nullptr;
};

// Asks, for each item without a path, whether to go on without it, as the command does for an
// object that has gone; No calls the command off.
bool ProceedWithout(const std::vector<std::wstring>& names) {
    for (const std::wstring& name : names) {
        if (ShowMessage(MessageKind::Error, MessageButtons::YesNo,
                        FormatText(IDS_OBJECT_MISSING, {name})) != IDYES) {
            return false;
        }
    }
    return true;
}

class LeafCommand final : public CommandObject {
  public:
    LeafCommand(CommandObject* root, const CommandRow& row)
        : CommandObject(root, row.canonicalName, ECF_DEFAULT), row_(row) {}

    STDMETHODIMP GetTitle(IShellItemArray*, LPWSTR* title) override {
        return GiveText(title, [&] { return LoadText(row_.menuTextId); });
    }
    STDMETHODIMP GetToolTip(IShellItemArray*, LPWSTR* tip) override {
        return GiveText(tip, [&] { return LoadText(row_.helpTextId); });
    }
    STDMETHODIMP Invoke(IShellItemArray* items, IBindCtx*) override {
        return GuardedHresult(E_UNEXPECTED, [&] {
            if (items == nullptr || BusyCounter() > 0) {
                return E_INVALIDARG;
            }
            ItemSelection taken;
            const HRESULT read = ReadItemSelection(items, taken);
            if (FAILED(read)) {
                return read;
            }
            Selection selection;
            selection.Replace(std::move(taken.paths));
            RunFramedCommand(IndexOf(row_.id), SiteWindow(), selection,
                             [&] { return ProceedWithout(taken.withoutPath); });
            return S_OK;
        });
    }

  private:
    const CommandRow& row_;
};

class SeparatorCommand final : public CommandObject {
  public:
    explicit SeparatorCommand(CommandObject* root)
        : CommandObject(root, kSeparatorCanonicalName, ECF_ISSEPARATOR) {}

    STDMETHODIMP GetTitle(IShellItemArray*, LPWSTR* title) override { return NotHere(title); }
};

// The subcommands in menu order: the rows of the shell menu, a separator (null), the rows of
// the submenu. The first menu shows one level of subcommands, so the submenu is flattened.
std::vector<const CommandRow*> LeafOrder() {
    std::vector<const CommandRow*> order;
    for (const MenuPlace place : {MenuPlace::ShellMenu, MenuPlace::Submenu}) {
        if (place == MenuPlace::Submenu) {
            order.push_back(nullptr);
        }
        for (const CommandRow& row : Commands()) {
            if (row.place == place) {
                order.push_back(&row);
            }
        }
    }
    return order;
}

class SubcommandEnumerator final : public ServerObject<IEnumExplorerCommand> {
  public:
    SubcommandEnumerator(CommandObject* root, std::size_t position)
        : root_(root), order_(LeafOrder()), position_(position) {
        root_->AddRef();
    }
    ~SubcommandEnumerator() override { root_->Release(); }

    STDMETHODIMP Next(ULONG count, IExplorerCommand** commands, ULONG* fetched) override {
        if (commands == nullptr || (fetched == nullptr && count != 1)) {
            return E_POINTER;
        }
        ULONG given = 0;
        const HRESULT result = GuardedHresult(E_OUTOFMEMORY, [&] {
            for (; given < count && position_ < order_.size(); ++given, ++position_) {
                const CommandRow* row = order_[position_];
                CommandObject* leaf =
                    row != nullptr ? static_cast<CommandObject*>(new LeafCommand(root_, *row))
                                   : new SeparatorCommand(root_);
                leaf->AddRef();
                commands[given] = leaf;
            }
            return given == count ? S_OK : S_FALSE;
        });
        if (FAILED(result)) {
            for (ULONG index = 0; index < given; ++index) {
                commands[index]->Release();
                commands[index] = nullptr;
            }
            given = 0;
        }
        if (fetched != nullptr) {
            *fetched = given;
        }
        return result;
    }
    STDMETHODIMP Skip(ULONG count) override {
        const std::size_t left = order_.size() - position_;
        position_ += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override {
        position_ = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnumExplorerCommand** copy) override {
        if (copy == nullptr) {
            return E_POINTER;
        }
        *copy = nullptr;
        return GuardedHresult(E_OUTOFMEMORY, [&] {
            auto* clone = new SubcommandEnumerator(root_, position_);
            return clone->QueryInterface(IID_IEnumExplorerCommand, reinterpret_cast<void**>(copy));
        });
    }

  private:
    CommandObject* root_;
    std::vector<const CommandRow*> order_;
    std::size_t position_;
};

class RootCommand final : public CommandObject {
  public:
    RootCommand() : CommandObject(nullptr, CLSID_TarvixCommand, ECF_HASSUBCOMMANDS) {}

    STDMETHODIMP GetTitle(IShellItemArray*, LPWSTR* title) override {
        return GiveText(title, [] { return LoadText(IDS_FIRST_MENU_TITLE); });
    }
    // "<the DLL's path>,-<icon identifier>", as the shell reads icon locations.
    STDMETHODIMP GetIcon(IShellItemArray*, LPWSTR* icon) override {
        return GiveText(icon, [] { return ModulePath() + L",-" + std::to_wstring(IDI_TARVIX); });
    }
    // Answered from what the shell knows of the items, never from the file system: the shell
    // asks while it opens the menu. While a command runs, no other starts (as the classic
    // menu shows no entries then).
    STDMETHODIMP GetState(IShellItemArray* items, BOOL okToBeSlow, EXPCMDSTATE* state) override {
        if (state == nullptr) {
            return E_POINTER;
        }
        *state = ECS_HIDDEN;
        return GuardedHresult(E_UNEXPECTED, [&] {
            ItemCounts counts;
            if (items == nullptr || BusyCounter() > 0 ||
                FAILED(CountItemKinds(items, okToBeSlow != FALSE, counts))) {
                return S_OK;
            }
            switch (DecideFirstMenuState(counts, okToBeSlow != FALSE)) {
            case FirstMenuState::Enabled:
                *state = ECS_ENABLED;
                return S_OK;
            case FirstMenuState::Pending:
                return E_PENDING;
            case FirstMenuState::Hidden:
                break;
            }
            return S_OK;
        });
    }
    STDMETHODIMP EnumSubCommands(IEnumExplorerCommand** commands) override {
        if (commands == nullptr) {
            return E_POINTER;
        }
        *commands = nullptr;
        return GuardedHresult(E_OUTOFMEMORY, [&] {
            auto* enumerator = new SubcommandEnumerator(this, 0);
            return enumerator->QueryInterface(IID_IEnumExplorerCommand,
                                              reinterpret_cast<void**>(commands));
        });
    }
};

} // namespace

IUnknown* NewTarvixCommand() {
    return static_cast<IExplorerCommand*>(new (std::nothrow) RootCommand());
}

} // namespace tarvix
