// Functions looked up at run time, so that the program still starts where
// a library or one of its functions is missing (older systems, Wine).
#pragma once

#include <windows.h>

// A library loaded by name; unloaded with the object.
class CRuntimeDll {
public:
    explicit CRuntimeDll(const char* name) : m_module(::LoadLibraryA(name)) {}
    ~CRuntimeDll() {
        if (m_module) ::FreeLibrary(m_module);
    }
    CRuntimeDll(const CRuntimeDll&) = delete;
    CRuntimeDll& operator=(const CRuntimeDll&) = delete;

    bool Loaded() const { return m_module != nullptr; }

    // The function `name` as type Fn; null when the library or it is missing.
    template <typename Fn>
    Fn Find(const char* name) const {
        return FindIn<Fn>(m_module, name);
    }

    // The function `name` of an already loaded library `module`, or null.
    template <typename Fn>
    static Fn FindLoaded(const char* module, const char* name) {
        return FindIn<Fn>(::GetModuleHandleA(module), name);
    }

private:
    template <typename Fn>
    static Fn FindIn(HMODULE module, const char* name) {
        return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
    }

    HMODULE m_module;
};
