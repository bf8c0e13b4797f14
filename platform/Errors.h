// A failure whose text the user is to see; the command boundary shows it in an error box.
#pragma once
#include <stdexcept>
#include <string>

namespace tarvix {

class UserError : public std::runtime_error {
  public:
    explicit UserError(const std::string& text) : std::runtime_error(text) {}
};

} // namespace tarvix
