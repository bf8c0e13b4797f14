#include "tools/ShellDataObject.h"

namespace tarvix::tools {
namespace {

// The folder part of a path; a drive's root keeps its backslash ("C:\").
std::wstring FolderOf(const std::wstring& path) {
    std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
    if (folder.size() == 2 && folder[1] == L':') {
        folder += L'\\';
    }
    return folder;
}

std::wstring NameOf(const std::wstring& path) {
    return path.substr(path.find_last_of(L'\\') + 1);
}

} // namespace

IDataObject* ShellDataObject(const std::vector<std::wstring>& paths,
                             std::vector<std::wstring>* missing) {
    IShellFolder* desktop = nullptr;
    if (paths.empty() || FAILED(::SHGetDesktopFolder(&desktop))) {
        return nullptr;
    }
    std::wstring folderName = FolderOf(paths.front());
    PIDLIST_RELATIVE folderId = nullptr;
    IShellFolder* parent = nullptr;
    IDataObject* data = nullptr;
    if (SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, folderName.data(), nullptr, &folderId,
                                            nullptr)) &&
        SUCCEEDED(desktop->BindToObject(folderId, nullptr, IID_IShellFolder,
                                        reinterpret_cast<void**>(&parent)))) {
        std::vector<PITEMID_CHILD> children;
        for (const std::wstring& path : paths) {
            std::wstring child = NameOf(path);
            PIDLIST_RELATIVE childId = nullptr;
            if (SUCCEEDED(parent->ParseDisplayName(nullptr, nullptr, child.data(), nullptr,
                                                   &childId, nullptr))) {
                children.push_back(reinterpret_cast<PITEMID_CHILD>(childId));
            } else if (missing != nullptr) {
                missing->push_back(path);
            }
        }
        parent->GetUIObjectOf(nullptr, static_cast<UINT>(children.size()),
                              const_cast<PCUITEMID_CHILD_ARRAY>(children.data()), IID_IDataObject,
                              nullptr, reinterpret_cast<void**>(&data));
        for (PITEMID_CHILD child : children) {
            ::CoTaskMemFree(child);
        }
        parent->Release();
    }
    ::CoTaskMemFree(folderId);
    desktop->Release();
    return data;
}

} // namespace tarvix::tools
