// Failures that leave a command; the command boundary shows them in an error box.
#pragma once
#include <stdexcept>
#include <string>

namespace tarvix {

// A failure whose text the user is to see.
class UserError : public std::runtime_error {
  public:
    explicit UserError(std::wstring text)
        : std::runtime_error("user error"), text_(std::move(text)) {}
    const std::wstring& Text() const { return text_; }

  private:
    std::wstring text_;
};

// A platform call failed where nothing better can be said: the user sees the product's
// message for an unexpected error.
class PlatformFailure : public std::runtime_error {
  public:
    PlatformFailure() : std::runtime_error(std::string()) {}
};

} // namespace tarvix
