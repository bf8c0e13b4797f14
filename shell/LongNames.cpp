#include "LongNames.h"

namespace tarvix {
namespace {

bool HoldsTilde(std::wstring_view text) {
    return text.find(L'~') != std::wstring_view::npos;
}

class Lengthener {
  public:
    explicit Lengthener(const ShortNameLookup& lookup) : lookup_(lookup) {}

    std::wstring LongPath(const std::wstring& path) {
        std::wstring longPath;
        std::size_t position = 0;
        for (;;) {
            const std::size_t end = path.find(L'\\', position);
            const std::wstring name = path.substr(
                position, end == std::wstring::npos ? std::wstring::npos : end - position);
            longPath += HoldsTilde(name) ? LongName(longPath, name) : name;
            if (end == std::wstring::npos) {
                return longPath;
            }
            longPath += L'\\';
            position = end + 1;
        }
    }

  private:
    struct Folder {
        std::unordered_map<std::wstring, std::wstring> known; // name -> long name
        bool asked = false;
        bool listed = false;
    };

    std::wstring LongName(const std::wstring& folderPath, const std::wstring& name) {
        Folder& folder = folders_[folderPath];
        if (const auto found = folder.known.find(name); found != folder.known.end()) {
            return found->second;
        }
        std::wstring longName = name;
        if (!folder.asked) {
            folder.asked = true;
            longName = lookup_.longName(folderPath, name).value_or(name);
        } else {
            if (!folder.listed) {
                folder.listed = true;
                folder.known.merge(lookup_.shortNamesIn(folderPath));
            }
            if (const auto found = folder.known.find(name); found != folder.known.end()) {
                longName = found->second;
            }
        }
        folder.known.emplace(name, longName);
        return longName;
    }

    const ShortNameLookup& lookup_;
    std::unordered_map<std::wstring, Folder> folders_;
};

} // namespace

void LengthenShortNames(std::vector<std::wstring>& paths, const ShortNameLookup& lookup) {
    Lengthener lengthener(lookup);
    for (std::wstring& path : paths) {
        if (HoldsTilde(path)) {
            path = lengthener.LongPath(path);
        }
    }
}

} // namespace tarvix
