#include "CaseConversion.h"

#include "Win.h"

namespace tarvix {

std::string LowerCase(std::string_view text) {
    std::string lowered(text);
    ::CharLowerBuffA(lowered.data(), static_cast<DWORD>(lowered.size()));
    return lowered;
}

std::string UpperCase(std::string_view text) {
    std::string raised(text);
    ::CharUpperBuffA(raised.data(), static_cast<DWORD>(raised.size()));
    return raised;
}

} // namespace tarvix
