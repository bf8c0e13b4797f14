// The save dialog's rules of Copy as / Move as on any typed name and selection: an accepted
// name holds no forbidden character, every destination lies in the chosen folder, and an
// accepted pattern never sends two objects of one folder to one name.
#include "fileops/CopyMoveRules.h"
#include "common/PathTerms.h"
#include "tests/AsciiCase.h"
#include "tests/fuzz/FuzzText.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

std::vector<std::wstring> SplitObjects(std::wstring_view text) {
    std::vector<std::wstring> objects;
    std::size_t start = 0;
    while (start <= text.size() && objects.size() < 64) {
        const std::size_t end = std::min(text.find(L'\n', start), text.size());
        objects.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return objects;
}

bool OneFolderNoRepeats(const std::vector<std::wstring>& objects) {
    std::set<std::wstring> lowered;
    for (const std::wstring& object : objects) {
        if (tarvix::FolderPart(object) != tarvix::FolderPart(objects.front())) {
            return false;
        }
        lowered.insert(tarvix::AsciiLower(object));
    }
    return lowered.size() == objects.size();
}

} // namespace

// Input: the typed bare name, a NUL unit, then the selected paths, one a line.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring units = tarvix::Utf16Units(data, size);
    const std::wstring_view input(units);
    const std::size_t split = input.find(L'\0');
    const std::wstring typed(input.substr(0, split));
    const std::vector<std::wstring> objects = SplitObjects(
        split == std::wstring_view::npos ? std::wstring_view() : input.substr(split + 1));
    const tarvix::CaseConversion lower = tarvix::AsciiLower;

    const std::wstring shownFolder = L"D:\\Out";
    const std::wstring finalPath = shownFolder + L"\\" + typed;
    const std::optional<tarvix::PatternKind> pattern = tarvix::ReadPattern(typed);
    if (!pattern) {
        return 0;
    }
    Check(typed.find_first_of(L"\\/:?\"<>|") == std::wstring::npos);
    Check(tarvix::Extension(typed) != L".lnk");
    Check(tarvix::InShownFolder(finalPath, shownFolder));
    Check((*pattern == tarvix::pkPlainName) == (typed.find(L'*') == std::wstring::npos));

    const tarvix::SelectionKind selection = tarvix::ClassifySelection(objects, lower);
    const bool accepted = tarvix::AcceptsPattern(selection, *pattern, [&](tarvix::KeyPart part) {
        return tarvix::AnyPairShares(objects, part, lower);
    });
    std::set<std::wstring> destinations;
    for (const std::wstring& object : objects) {
        const std::wstring destination = tarvix::DestinationOf(*pattern, finalPath, object);
        Check(tarvix::FolderPart(destination) == shownFolder + L"\\");
        destinations.insert(tarvix::AsciiLower(destination));
    }
    if (accepted && OneFolderNoRepeats(objects)) {
        Check(destinations.size() == objects.size());
    }
    return 0;
}
