// The look of the extension's own windows: common controls version 6 through the activation
// context of the module's manifest, active only while a command runs, so that the host's
// controls keep whatever look the host chose.
#pragma once
#include "Win.h"

namespace tarvix {

class VisualStylesScope {
  public:
    // Activates the context of ModuleHandle()'s manifest (resource 2) on this thread; without
    // such a manifest the scope does nothing and the windows keep the classic look.
    VisualStylesScope();
    ~VisualStylesScope();
    VisualStylesScope(const VisualStylesScope&) = delete;
    VisualStylesScope& operator=(const VisualStylesScope&) = delete;

  private:
    HANDLE context_ = INVALID_HANDLE_VALUE;
    ULONG_PTR cookie_ = 0;
};

} // namespace tarvix
