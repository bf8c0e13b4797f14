#include "ShortNames.h"

#include "Handles.h"
#include "LongPath.h"

namespace tarvix {
namespace {

bool SameName(const wchar_t* left, const std::wstring& right) {
    return ::CompareStringOrdinal(left, -1, right.c_str(), static_cast<int>(right.size()), TRUE) ==
           CSTR_EQUAL;
}

} // namespace

std::optional<std::wstring> LongNameIn(const std::wstring& folder, const std::wstring& name) {
    if (name.empty() || name.find_first_of(L"*?") != std::wstring::npos) {
        return std::nullopt;
    }
    WIN32_FIND_DATAW entry;
    FindHandle find(::FindFirstFileExW(ExtendedPath(folder + name).c_str(), FindExInfoStandard,
                                       &entry, FindExSearchNameMatch, nullptr, 0));
    if (!find || !(SameName(entry.cAlternateFileName, name) || SameName(entry.cFileName, name))) {
        return std::nullopt;
    }
    return std::wstring(entry.cFileName);
}

std::unordered_map<std::wstring, std::wstring> ShortNamesIn(const std::wstring& folder) {
    std::unordered_map<std::wstring, std::wstring> names;
    WIN32_FIND_DATAW entry;
    FindHandle find(::FindFirstFileExW(ExtendedPath(folder + L"*").c_str(), FindExInfoStandard,
                                       &entry, FindExSearchNameMatch, nullptr, 0));
    if (!find) {
        return names;
    }
    do {
        if (entry.cAlternateFileName[0] != L'\0') {
            names.emplace(entry.cAlternateFileName, entry.cFileName);
        }
    } while (::FindNextFileW(find.Get(), &entry));
    return names;
}

} // namespace tarvix
