#include "DialogFrame.h"

#include "Errors.h"
#include "Module.h"

#include <utility>

namespace tarvix {

INT_PTR DialogFrame::ShowModalDialog(int templateId) {
    const HWND owner = OwnerWindow();
    modal_ = true;
    const INT_PTR result = ::DialogBoxParamW(ModuleHandle(), MAKEINTRESOURCEW(templateId), owner,
                                             Proc, reinterpret_cast<LPARAM>(this));
    SetOwnerWindow(owner);
    return Finish(result);
}

INT_PTR DialogFrame::ShowModalDialog(const DLGTEMPLATE* dialogTemplate) {
    const HWND owner = OwnerWindow();
    modal_ = true;
    const INT_PTR result = ::DialogBoxIndirectParamW(ModuleHandle(), dialogTemplate, owner, Proc,
                                                     reinterpret_cast<LPARAM>(this));
    SetOwnerWindow(owner);
    return Finish(result);
}

HWND DialogFrame::CreateModelessDialog(int templateId) {
    modal_ = false;
    const HWND created = ::CreateDialogParamW(ModuleHandle(), MAKEINTRESOURCEW(templateId),
                                              OwnerWindow(), Proc, reinterpret_cast<LPARAM>(this));
    if (failure_ && created != nullptr) {
        ::DestroyWindow(created);
        window_ = nullptr;
    }
    Finish(0);
    return created;
}

INT_PTR DialogFrame::Finish(INT_PTR result) {
    if (modal_) {
        window_ = nullptr;
    }
    if (failure_) {
        std::rethrow_exception(std::exchange(failure_, nullptr));
    }
    if (modal_ && result == -1) {
        throw PlatformFailure();
    }
    return result;
}

INT_PTR CALLBACK DialogFrame::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(window, DWLP_USER, lParam);
        reinterpret_cast<DialogFrame*>(lParam)->window_ = window;
    }
    auto* self = reinterpret_cast<DialogFrame*>(::GetWindowLongPtrW(window, DWLP_USER));
    if (self == nullptr) {
        return FALSE;
    }
    try {
        return self->OnMessage(message, wParam, lParam);
    } catch (...) {
        if (!self->failure_) {
            self->failure_ = std::current_exception();
        }
        if (self->modal_) {
            ::EndDialog(window, IDCANCEL);
        }
        return TRUE;
    }
}

} // namespace tarvix
