#include "NameCharacters.h"

namespace tarvix {

bool HoldsCharacterNotInAName(std::string_view text) {
    return text.find_first_of(kNotInAName) != std::string_view::npos;
}

} // namespace tarvix
