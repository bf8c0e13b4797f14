// Clipboard text and templates of the rename series on any UTF-16 text: the lines split from a
// text split again the same when joined, an accepted template keeps each old name's extension,
// and names that equal their own old names, all different, never conflict.
#include "rename/ClipboardNames.h"
#include "rename/NameConflict.h"
#include "common/PathTerms.h"
#include "rename/SeriesTemplate.h"
#include "tests/AsciiCase.h"
#include "tests/fuzz/FuzzText.h"

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

// Input: a template, a NUL unit, then the clipboard text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring units = tarvix::Utf16Units(data, size);
    const std::wstring_view input(units);
    const std::size_t split = input.find(L'\0');
    const std::wstring_view candidate = input.substr(0, split);
    const std::wstring_view text =
        split == std::wstring_view::npos ? std::wstring_view() : input.substr(split + 1);

    const std::vector<std::wstring> lines = tarvix::SplitLines(text);
    std::wstring joined;
    for (const std::wstring& line : lines) {
        Check(line.find_first_of(L"\r\n") == std::wstring::npos);
        joined += line + L"\r\n";
    }
    Check(tarvix::SplitLines(joined) == lines);

    if (tarvix::AcceptableTemplate(candidate)) {
        for (const std::wstring& oldName : lines) {
            const std::wstring newName = tarvix::ExpandTemplate(candidate, oldName, 32769);
            const std::wstring extension = tarvix::Extension(oldName);
            Check(newName.size() >= extension.size() &&
                  newName.compare(newName.size() - extension.size(), extension.size(), extension) ==
                      0);
        }
    }

    std::set<std::wstring> lowered;
    for (const std::wstring& line : lines) {
        lowered.insert(tarvix::AsciiLower(line));
    }
    if (lowered.size() == lines.size()) {
        Check(!tarvix::NamesConflict(lines, lines, tarvix::AsciiLower));
    }
    return 0;
}
