// Owners of COM references and of memory the shell hands out with CoTaskMemAlloc.
#pragma once
#include "Handles.h"

namespace tarvix {

template <class Interface> struct ComReferenceTraits {
    using Type = Interface*;
    static Type Invalid() { return nullptr; }
    static void Close(Type object) { object->Release(); }
};

template <class Pointer> struct TaskMemoryTraits {
    using Type = Pointer;
    static Type Invalid() { return nullptr; }
    static void Close(Type memory) { ::CoTaskMemFree(memory); }
};

// One reference on a COM object.
template <class Interface> using ComRef = UniqueHandle<ComReferenceTraits<Interface>>;
using TaskText = UniqueHandle<TaskMemoryTraits<PWSTR>>;
using TaskIdList = UniqueHandle<TaskMemoryTraits<PIDLIST_ABSOLUTE>>;

// For the calls that hand out an interface as void**.
template <class Interface> void** ReceiveAs(ComRef<Interface>& reference) {
    return reinterpret_cast<void**>(reference.Receive());
}

} // namespace tarvix
