#include "VisualStyles.h"

#include "Module.h"

namespace tarvix {

VisualStylesScope::VisualStylesScope() {
    ACTCTXW description{};
    description.cbSize = sizeof(description);
    description.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    description.hModule = ModuleHandle();
    description.lpResourceName = MAKEINTRESOURCEW(2); // the isolation-aware manifest
    context_ = ::CreateActCtxW(&description);
    if (context_ == INVALID_HANDLE_VALUE) {
        return;
    }
    if (!::ActivateActCtx(context_, &cookie_)) {
        cookie_ = 0;
    }
    // Classes of version 6 exist only once that comctl32 is loaded and initialised inside
    // the context.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS |
                                                        ICC_PROGRESS_CLASS | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
}

VisualStylesScope::~VisualStylesScope() {
    if (cookie_ != 0) {
        ::DeactivateActCtx(0, cookie_);
    }
    if (context_ != INVALID_HANDLE_VALUE) {
        ::ReleaseActCtx(context_);
    }
}

} // namespace tarvix
