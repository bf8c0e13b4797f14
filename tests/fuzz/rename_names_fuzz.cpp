// Clipboard text and templates of the rename series on any bytes: the lines split from a text
// split again the same when joined, an accepted template keeps each old name's extension, and
// names that equal their own old names, all different, never conflict.
#include "rename/ClipboardNames.h"
#include "rename/NameConflict.h"
#include "common/PathTerms.h"
#include "rename/SeriesTemplate.h"
#include "tests/AsciiCase.h"

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

namespace {

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

} // namespace

// Input: a template, a NUL, then the clipboard text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const std::string_view candidate = input.substr(0, split);
    const std::string_view text = split == std::string_view::npos ? "" : input.substr(split + 1);

    const std::vector<std::string> lines = tarvix::SplitLines(text);
    std::string joined;
    for (const std::string& line : lines) {
        Check(line.find_first_of("\r\n") == std::string::npos);
        joined += line + "\r\n";
    }
    Check(tarvix::SplitLines(joined) == lines);

    if (tarvix::AcceptableTemplate(candidate)) {
        for (const std::string& oldName : lines) {
            const std::string newName = tarvix::ExpandTemplate(candidate, oldName, 32769);
            const std::string extension = tarvix::Extension(oldName);
            Check(newName.size() >= extension.size() &&
                  newName.compare(newName.size() - extension.size(), extension.size(), extension) ==
                      0);
        }
    }

    std::set<std::string> lowered;
    for (const std::string& line : lines) {
        lowered.insert(tarvix::AsciiLower(line));
    }
    if (lowered.size() == lines.size()) {
        Check(!tarvix::NamesConflict(lines, lines, tarvix::AsciiLower));
    }
    return 0;
}
