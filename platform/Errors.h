// Failures that leave a command; the command boundary shows them in an error box.
#pragma once
#include <stdexcept>
#include <string>

namespace tarvix {

// A failure whose text the user is to see.
class UserError : public std::runtime_error {
  public:
    explicit UserError(const std::string& text) : std::runtime_error(text) {}
};

// A platform call failed where nothing better can be said: the user sees the product's
// message for an unexpected error.
class PlatformFailure : public std::runtime_error {
  public:
    PlatformFailure() : std::runtime_error(std::string()) {}
};

} // namespace tarvix
