// Containment at every COM entry point: no C++ exception travels on into the shell. Processor
// faults are not caught: they belong to the platform, which ends the process and reports them.
#pragma once
#include "Errors.h"
#include "Win.h"

#include <exception>
#include <new>
#include <optional>
#include <string>

namespace tarvix {

// A C++ exception that left a guarded call.
struct EscapedException {
    bool outOfMemory = false;
    std::wstring text; // the text of a UserError; empty for any other
};

// Runs body(); describes the exception that escaped it, if any.
template <class Body> std::optional<EscapedException> CatchEscaping(Body&& body) noexcept {
    try {
        body();
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        return EscapedException{true, {}};
    } catch (const UserError& error) {
        try {
            return EscapedException{false, error.Text()};
        } catch (...) {
            return EscapedException{true, {}}; // not even the text could be copied
        }
    } catch (...) {
        return EscapedException{};
    }
}

// An entry point whose escaped exceptions become `failure`.
template <class Body> HRESULT GuardedHresult(HRESULT failure, Body&& body) noexcept {
    HRESULT result = failure;
    return CatchEscaping([&] { result = body(); }) ? failure : result;
}

} // namespace tarvix
