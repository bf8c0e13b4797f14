#include "ComGuard.h"

#include "Module.h"

#include <string>

namespace tarvix {
namespace {

struct GuardFrame {
    void* jump[5];
    GuardFrame* outer;
};

thread_local GuardFrame* t_frame = nullptr;
thread_local std::string t_message;

bool IsFatal(DWORD code) {
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_IN_PAGE_ERROR:
        return true;
    default:
        return false;
    }
}

bool InOwnModule(const void* address) {
    const auto base = reinterpret_cast<const BYTE*>(ModuleHandle());
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const auto* at = static_cast<const BYTE*>(address);
    return at >= base && at < base + nt->OptionalHeader.SizeOfImage;
}

[[noreturn]] void ResumeAtGuard() {
    __builtin_longjmp(t_frame->jump, 1);
}

// Faults raised by the platform's own code are left to its handlers; only a fault in this
// module's code, inside a guarded call, is turned into a return from that call.
LONG CALLBACK CatchOwnFault(EXCEPTION_POINTERS* pointers) {
    if (t_frame == nullptr || !IsFatal(pointers->ExceptionRecord->ExceptionCode) ||
        !InOwnModule(pointers->ExceptionRecord->ExceptionAddress)) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    // Continue in ResumeAtGuard on a fresh, aligned stack below the fault, as if called.
    CONTEXT* context = pointers->ContextRecord;
#if defined(__x86_64__)
    context->Rsp = ((context->Rsp - 512) & ~static_cast<DWORD64>(15)) - 8;
    context->Rip = reinterpret_cast<DWORD64>(&ResumeAtGuard);
#else
    context->Esp = ((context->Esp - 512) & ~static_cast<DWORD>(15)) - 4;
    context->Eip = reinterpret_cast<DWORD>(&ResumeAtGuard);
#endif
    return EXCEPTION_CONTINUE_EXECUTION;
}

void InstallFaultHandler() {
    static const PVOID handler = ::AddVectoredExceptionHandler(1, &CatchOwnFault);
    (void)handler;
}

bool CallCatchingExceptions(void (*body)(void*), void* context) {
    try {
        body(context);
        return true;
    } catch (const std::exception& error) {
        t_message = error.what();
    } catch (...) {
        t_message.clear();
    }
    return false;
}

} // namespace

GuardOutcome RunGuarded(void (*body)(void*), void* context, const char** message) {
    InstallFaultHandler();
    GuardFrame frame{};
    frame.outer = t_frame;
    t_message.clear();
    if (__builtin_setjmp(frame.jump) != 0) {
        t_frame = frame.outer;
        return GuardOutcome::Fault;
    }
    t_frame = &frame;
    const bool completed = CallCatchingExceptions(body, context);
    t_frame = frame.outer;
    if (completed) {
        return GuardOutcome::Completed;
    }
    if (message != nullptr) {
        *message = t_message.c_str();
    }
    return GuardOutcome::Exception;
}

} // namespace tarvix
