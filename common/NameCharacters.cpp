#include "NameCharacters.h"

namespace tarvix {

bool HoldsCharacterNotInAName(std::wstring_view text) {
    return text.find_first_of(kNotInAName) != std::wstring_view::npos;
}

} // namespace tarvix
