// Containment at every COM entry point: no C++ exception travels on into the shell. Processor
// faults are not caught: they belong to the platform, which ends the process and reports them.
#pragma once
#include "Win.h"

#include <exception>
#include <new>
#include <optional>
#include <string>

namespace tarvix {

// A C++ exception that left a guarded call.
struct EscapedException {
    bool outOfMemory = false;
    std::string text; // what() of a standard exception; empty for any other
};

// Runs body(); describes the exception that escaped it, if any.
template <class Body> std::optional<EscapedException> CatchEscaping(Body&& body) noexcept {
    try {
        body();
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        return EscapedException{true, {}};
    } catch (const std::exception& error) {
        try {
            return EscapedException{false, error.what()};
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
