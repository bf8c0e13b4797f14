// Path terms on any bytes: the parts always rebuild the path.
#include "common/PathTerms.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path(reinterpret_cast<const char*>(data), size);
    if (tarvix::FolderPart(path) + tarvix::BareName(path) != path ||
        tarvix::NamePart(path) + tarvix::Extension(path) != path) {
        std::abort();
    }
    const std::string folder = tarvix::ObjectFolder(path);
    if (path.compare(0, folder.size(), folder) != 0) {
        std::abort();
    }
    return 0;
}
