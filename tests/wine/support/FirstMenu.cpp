#include "FirstMenu.h"

#include "platform/ComObject.h"
#include "shell/CommandTable.h"

#include <shlwapi.h>

namespace tarvix::test {
namespace {

class Site final : public ComObject<IOleWindow> {
  public:
    explicit Site(HWND window) : window_(window) {}
    // Without a window, no IOleWindow at all.
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (window_ == nullptr && IsEqualIID(riid, IID_IOleWindow)) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        return ComObject::QueryInterface(riid, ppv);
    }
    STDMETHODIMP GetWindow(HWND* window) override {
        *window = window_;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  private:
    HWND window_;
};

class OwnShellItem final : public ComObject<IShellItem> {
  public:
    explicit OwnShellItem(OwnItem item) : item_(std::move(item)) {}
    STDMETHODIMP BindToHandler(IBindCtx*, REFGUID, REFIID, void** ppv) override {
        *ppv = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetParent(IShellItem** parent) override {
        *parent = nullptr;
        return E_NOTIMPL;
    }
    // As the shell's items answer: SIGDN_FILESYSPATH fails for an item without a path.
    STDMETHODIMP GetDisplayName(SIGDN form, LPWSTR* name) override {
        *name = nullptr;
        if (form == SIGDN_FILESYSPATH) {
            return item_.path.empty() ? E_INVALIDARG : ::SHStrDupW(item_.path.c_str(), name);
        }
        return ::SHStrDupW(item_.path.empty() ? item_.name.c_str() : item_.path.c_str(), name);
    }
    STDMETHODIMP GetAttributes(SFGAOF mask, SFGAOF* attributes) override {
        *attributes = (item_.path.empty() ? 0 : SFGAO_FILESYSTEM) & mask;
        return *attributes == mask ? S_OK : S_FALSE;
    }
    STDMETHODIMP Compare(IShellItem*, SICHINTF, int*) override { return E_NOTIMPL; }

  private:
    OwnItem item_;
};

class OwnArray final : public ComObject<IShellItemArray> {
  public:
    explicit OwnArray(const std::vector<OwnItem>& items) : items_(items) {}
    STDMETHODIMP BindToHandler(IBindCtx*, REFGUID, REFIID, void** ppv) override {
        *ppv = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetPropertyStore(GETPROPERTYSTOREFLAGS, REFIID, void** ppv) override {
        *ppv = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetPropertyDescriptionList(REFPROPERTYKEY, REFIID, void** ppv) override {
        *ppv = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetAttributes(SIATTRIBFLAGS, SFGAOF, SFGAOF*) override { return E_NOTIMPL; }
    STDMETHODIMP GetCount(DWORD* count) override {
        *count = static_cast<DWORD>(items_.size());
        return S_OK;
    }
    STDMETHODIMP GetItemAt(DWORD index, IShellItem** item) override {
        if (index >= items_.size()) {
            *item = nullptr;
            return E_INVALIDARG;
        }
        *item = new OwnShellItem(items_[index]);
        return S_OK;
    }
    STDMETHODIMP EnumItems(IEnumShellItems** items) override {
        *items = nullptr;
        return E_NOTIMPL;
    }

  private:
    std::vector<OwnItem> items_;
};

} // namespace

std::vector<ComRef<IExplorerCommand>> Subcommands(IExplorerCommand* root) {
    std::vector<ComRef<IExplorerCommand>> found;
    ComRef<IEnumExplorerCommand> commands;
    if (FAILED(root->EnumSubCommands(commands.Receive()))) {
        return found;
    }
    ComRef<IExplorerCommand> next;
    while (commands.Get()->Next(1, next.Receive(), nullptr) == S_OK) {
        found.push_back(std::move(next));
    }
    return found;
}

ComRef<IExplorerCommand> SubcommandFor(IExplorerCommand* root, unsigned index) {
    for (ComRef<IExplorerCommand>& command : Subcommands(root)) {
        GUID name{};
        if (SUCCEEDED(command.Get()->GetCanonicalName(&name)) &&
            IsEqualGUID(name, CommandAt(index)->canonicalName)) {
            return std::move(command);
        }
    }
    return {};
}

IUnknown* NewSite(HWND window) {
    return static_cast<IOleWindow*>(new Site(window));
}

HRESULT InvokeFromFirstMenu(IExplorerCommand* root, unsigned index, IShellItemArray* items,
                            HWND owner) {
    ComRef<IExplorerCommand> command = SubcommandFor(root, index);
    ComRef<IObjectWithSite> withSite;
    ComRef<IUnknown> site(NewSite(owner));
    if (!command || FAILED(root->QueryInterface(IID_IObjectWithSite, ReceiveAs(withSite)))) {
        return E_UNEXPECTED;
    }
    withSite.Get()->SetSite(site.Get());
    const HRESULT result = command.Get()->Invoke(items, nullptr);
    withSite.Get()->SetSite(nullptr);
    return result;
}

IShellItemArray* OwnItemArray(const std::vector<OwnItem>& items) {
    return new OwnArray(items);
}

IShellItemArray* OwnItemArray(const std::vector<std::wstring>& paths) {
    std::vector<OwnItem> items;
    for (const std::wstring& path : paths) {
        items.push_back({path, {}});
    }
    return OwnItemArray(items);
}

} // namespace tarvix::test
