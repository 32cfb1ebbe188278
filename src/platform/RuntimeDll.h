// Functions looked up at run time, so that the program still starts where
// a library or one of its functions is missing (older systems, Wine).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// A system library loaded from the system folder by its full path (never
// by bare name, which would search the program's folder first); unloaded
// with the object.
class CRuntimeDll {
public:
    explicit CRuntimeDll(const char* name) : m_module(LoadFromSystemFolder(name)) {}
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
        const std::string_view ascii(module);
        return FindIn<Fn>(::GetModuleHandleW(std::wstring(ascii.begin(), ascii.end()).c_str()), name);
    }

    // The library `name` (plain ASCII) from the system folder, or null.
    static HMODULE LoadFromSystemFolder(const char* name) {
        const UINT n = ::GetSystemDirectoryW(nullptr, 0);
        if (n == 0) return nullptr;
        std::wstring path(n, L'\0');
        const UINT got = ::GetSystemDirectoryW(path.data(), n);
        if (got == 0 || got >= n) return nullptr;
        path.resize(got);
        path += L'\\';
        for (const char* c = name; *c; ++c) path += static_cast<wchar_t>(static_cast<unsigned char>(*c));
        return ::LoadLibraryW(path.c_str());
    }

    // Libraries loaded by bare name (by the system too) come from the
    // system folder only, not from the program's folder, the current
    // directory or PATH: a portable program often sits in a download folder
    // beside other files. Called first thing at start.
    static void RestrictSearchToSystemFolder() {
        constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
        using SetDefaultFn = BOOL(WINAPI*)(DWORD);
        if (auto fn = FindLoaded<SetDefaultFn>("kernel32.dll", "SetDefaultDllDirectories")) fn(kSearchSystem32);
        // Where that call is missing, at least the current directory goes.
        ::SetDllDirectoryW(L"");
    }

private:
    template <typename Fn>
    static Fn FindIn(HMODULE module, const char* name) {
        return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
    }

    HMODULE m_module;
};
