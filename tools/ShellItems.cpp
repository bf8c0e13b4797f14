#include "tools/ShellItems.h"

namespace tarvix::tools {

IShellItemArray* ShellItemArray(const std::vector<std::wstring>& paths,
                                std::vector<std::wstring>* missing,
                                const std::vector<PCIDLIST_ABSOLUTE>& extra) {
    std::vector<PIDLIST_ABSOLUTE> lists;
    PIDLIST_ABSOLUTE folderList = nullptr;
    IShellFolder* folder = nullptr;
    if (!paths.empty()) {
        // The folder once, then each name in it: parsing every full path from the desktop
        // would look the folder up again for each object.
        const std::wstring& first = paths.front();
        std::wstring folderName = first.substr(0, first.find_last_of(L'\\'));
        if (folderName.size() == 2 && folderName[1] == L':') {
            folderName += L'\\';
        }
        folderList = ::ILCreateFromPathW(folderName.c_str());
        if (folderList == nullptr ||
            FAILED(::SHBindToObject(nullptr, folderList, nullptr, IID_IShellFolder,
                                    reinterpret_cast<void**>(&folder)))) {
            ::ILFree(folderList);
            return nullptr;
        }
        for (const std::wstring& path : paths) {
            std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
            PIDLIST_RELATIVE child = nullptr;
            if (SUCCEEDED(folder->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, &child,
                                                   nullptr))) {
                lists.push_back(::ILCombine(folderList, child));
                ::ILFree(child);
            } else if (missing != nullptr) {
                missing->push_back(path);
            }
        }
        folder->Release();
    }
    for (PCIDLIST_ABSOLUTE list : extra) {
        lists.push_back(::ILClone(list));
    }
    IShellItemArray* items = nullptr;
    ::SHCreateShellItemArrayFromIDLists(static_cast<UINT>(lists.size()),
                                        const_cast<PCIDLIST_ABSOLUTE_ARRAY>(lists.data()), &items);
    for (PIDLIST_ABSOLUTE list : lists) {
        ::ILFree(list);
    }
    ::ILFree(folderList);
    return items;
}

} // namespace tarvix::tools
