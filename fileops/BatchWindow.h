// What a batch shows while it works through its objects: the progress window for real runs,
// plain objects for tests. No platform calls.
#pragma once
#include "TransferConversation.h"

#include <cstddef>
#include <optional>
#include <string>

namespace tarvix {

class BatchWindow : public TransferConversation {
  public:
    // The bar runs from one step to `count` + 1; the window is shown.
    virtual void Begin(std::size_t count) = 0;
    // Object `index` of `count` is next: its path, and what the destination field shows for it
    // (nothing leaves the field as it is). True when the window was brought to screen for it.
    virtual bool ShowObject(std::size_t index, std::size_t count, const std::wstring& source,
                            const std::optional<std::wstring>& destination) = 0;
    // One object done.
    virtual void Step() = 0;
    // Every object done: the bar is brought to screen.
    virtual void Finish() = 0;
};

} // namespace tarvix
