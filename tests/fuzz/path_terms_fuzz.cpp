// Path terms on any UTF-16 text: the parts always rebuild the path, and no term boundary falls
// inside a surrogate pair.
#include "common/PathTerms.h"
#include "tests/fuzz/FuzzText.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

bool SplitsAPair(const std::wstring& path, std::size_t at) {
    return at > 0 && at < path.size() && path[at - 1] >= 0xD800 && path[at - 1] <= 0xDBFF &&
           path[at] >= 0xDC00 && path[at] <= 0xDFFF;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring path = tarvix::Utf16Units(data, size);
    const std::wstring folderPart = tarvix::FolderPart(path);
    const std::wstring namePart = tarvix::NamePart(path);
    Check(folderPart + tarvix::BareName(path) == path);
    Check(namePart + tarvix::Extension(path) == path);
    Check(!SplitsAPair(path, folderPart.size()) && !SplitsAPair(path, namePart.size()));
    const std::wstring folder = tarvix::ObjectFolder(path);
    Check(path.compare(0, folder.size(), folder) == 0);
    return 0;
}
