// The save dialog's rules of Copy as / Move as on any typed name and selection: an accepted
// name holds no forbidden character, every destination lies in the chosen folder, and an
// accepted pattern never sends two objects of one folder to one name.
#include "fileops/CopyMoveRules.h"
#include "common/PathTerms.h"
#include "tests/AsciiCase.h"

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

std::vector<std::string> SplitObjects(std::string_view text) {
    std::vector<std::string> objects;
    std::size_t start = 0;
    while (start <= text.size() && objects.size() < 64) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        objects.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return objects;
}

bool OneFolderNoRepeats(const std::vector<std::string>& objects) {
    std::set<std::string> lowered;
    for (const std::string& object : objects) {
        if (tarvix::FolderPart(object) != tarvix::FolderPart(objects.front())) {
            return false;
        }
        lowered.insert(tarvix::AsciiLower(object));
    }
    return lowered.size() == objects.size();
}

} // namespace

// Input: the typed bare name, a NUL, then the selected paths, one a line.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const std::string typed(input.substr(0, split));
    const std::vector<std::string> objects =
        SplitObjects(split == std::string_view::npos ? "" : input.substr(split + 1));
    const tarvix::CaseConversion lower = tarvix::AsciiLower;

    const std::string shownFolder = "D:\\Out";
    const std::string finalPath = shownFolder + "\\" + typed;
    const std::optional<tarvix::PatternKind> pattern = tarvix::ReadPattern(typed);
    if (!pattern) {
        return 0;
    }
    Check(typed.find_first_of("\\/:?\"<>|") == std::string::npos);
    Check(tarvix::Extension(typed) != ".lnk");
    Check(tarvix::InShownFolder(finalPath, shownFolder));
    Check((*pattern == tarvix::pkPlainName) == (typed.find('*') == std::string::npos));

    const tarvix::SelectionKind selection = tarvix::ClassifySelection(objects, lower);
    const bool accepted = tarvix::AcceptsPattern(selection, *pattern, [&](tarvix::KeyPart part) {
        return tarvix::AnyPairShares(objects, part, lower);
    });
    std::set<std::string> destinations;
    for (const std::string& object : objects) {
        const std::string destination = tarvix::DestinationOf(*pattern, finalPath, object);
        Check(tarvix::FolderPart(destination) == shownFolder + "\\");
        destinations.insert(tarvix::AsciiLower(destination));
    }
    if (accepted && OneFolderNoRepeats(objects)) {
        Check(destinations.size() == objects.size());
    }
    return 0;
}
