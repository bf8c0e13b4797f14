// The names of a drop list (a DROPFILES block), read in one pass with every bound checked, and
// the item lists of a shell ID list array, which names the same objects where the shell cannot
// give a drop list.
#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvix {

// Names packed in one buffer: a selection of 100,000 objects costs two allocations, not
// 100,000 (the platform's heap grows slower than linearly with many small blocks).
class PackedNames {
  public:
    void Reserve(std::size_t units) { text_.reserve(units); }
    // For appending a name in place: write to Buffer(), then EndName().
    std::wstring& Buffer() { return text_; }
    void EndName() { ends_.push_back(text_.size()); }

    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::wstring_view operator[](std::size_t index) const;
    std::vector<std::wstring> ToVector() const;

  private:
    std::wstring text_;
    std::vector<std::size_t> ends_;
};

// Appends one name of an ANSI drop list (bytes of the code page, no terminator), converted to
// UTF-16.
using AnsiConversion = std::function<void(const char* name, std::size_t length, std::wstring& out)>;

// The names in list order, or nothing when the block is malformed: shorter than its header,
// its name offset outside it, or a name or the list's final terminator not inside it. Names of
// a wide list are taken as they are, code unit by code unit.
std::optional<PackedNames> ParseDropList(const unsigned char* block, std::size_t size,
                                         const AnsiConversion& toWide);

// Where the item ID lists of a shell ID list array (CIDA: a count, then that many + 1 offsets
// from the block's start) stand in the block: the parent folder's, then each object's, relative
// to the parent.
struct IdListArray {
    std::size_t parent = 0;
    std::vector<std::size_t> children;
};

// Nothing when the block is malformed: shorter than its offsets, or a list (item sizes, each
// at least the 2 bytes of its own size, up to a terminating size of 0) not inside it.
std::optional<IdListArray> ParseIdListArray(const unsigned char* block, std::size_t size);

} // namespace tarvix
