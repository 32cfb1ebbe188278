// Base name and path of the process that owns a window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>

struct CProcessNames {
    std::string baseName;  // as read (not upper-cased)
    std::string path;
};

// Reads the base name and path of the first module of process `pid`; both
// empty when the process cannot be opened or its modules cannot be read.
CProcessNames QueryProcessNames(DWORD pid);

// The names by process, so that a matching tick does not reopen and read
// every process again. An entry keeps its process handle open: Windows does
// not reuse a process id while a handle to the process exists, so the id
// (with the process's start time, kept for checking) denotes the same
// process for as long as the entry lives. Entries of ended processes are
// dropped by Prune().
class CProcessInfoCache {
public:
    CProcessInfoCache() = default;
    ~CProcessInfoCache();
    CProcessInfoCache(const CProcessInfoCache&) = delete;
    CProcessInfoCache& operator=(const CProcessInfoCache&) = delete;

    // The names of the process that owns `hWnd` (empty on failure).
    CProcessNames Lookup(HWND hWnd);
    // The names of the process that owns `hWnd` when the cache holds them
    // already; opens no process.
    bool Peek(HWND hWnd, CProcessNames* names) const;
    // Drops the entries whose process has ended.
    void Prune();
    void Clear();
    std::size_t Size() const { return m_entries.size(); }

private:
    struct Entry {
        HANDLE process = nullptr;
        std::uint64_t startTime = 0;
        CProcessNames names;
    };
    std::map<DWORD, Entry> m_entries;
};

// Looks names up through the cache when there is one, else directly.
CProcessNames ProcessNamesOfWindow(HWND hWnd, CProcessInfoCache* cache);
