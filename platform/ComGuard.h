// Containment at every COM entry point: no C++ exception and no processor fault raised in the
// extension's own code travels on into the shell.
#pragma once
#include "Win.h"

#include <exception>
#include <utility>

namespace tarvix {

enum class GuardOutcome { Completed, Exception, Fault };

// Runs body(context). A C++ exception ends it with Exception (its message in `message`, when
// it has one); a processor fault inside this module's code ends it with Fault.
GuardOutcome RunGuarded(void (*body)(void*), void* context, const char** message);

// Convenience wrapper for lambdas.
template <class Body> GuardOutcome Guarded(Body&& body, const char** message = nullptr) {
    return RunGuarded([](void* context) { (*static_cast<Body*>(context))(); }, &body, message);
}

// An entry point whose failures become `failure`.
template <class Body> HRESULT GuardedHresult(HRESULT failure, Body&& body) noexcept {
    HRESULT result = failure;
    const GuardOutcome outcome = Guarded([&] { result = body(); });
    return outcome == GuardOutcome::Completed ? result : failure;
}

} // namespace tarvix
