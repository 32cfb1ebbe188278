#include "controller/ProcessInfo.h"
#include "platform/WinText.h"

#include <psapi.h>

#include <string>
#include <vector>

namespace {

constexpr DWORD kModuleSlots = 1024;

// A module name read whole: the calls cut it to the buffer without saying
// how long it is, so the buffer grows until the name fits (a path may be
// up to 32767 characters long).
template <class Read>
std::string WholeName(Read read) {
    for (DWORD size = MAX_PATH; size <= 65536; size *= 2) {
        std::wstring name(size, L'\0');
        const DWORD n = read(name.data(), size);
        if (n == 0) return std::string();
        if (n < size - 1) {
            name.resize(n);
            return TextOf(name);
        }
    }
    return std::string();
}

CProcessNames ReadNames(HANDLE process) {
    CProcessNames names;
    std::vector<HMODULE> modules(kModuleSlots);
    DWORD needed = 0;
    if (!::EnumProcessModules(process, modules.data(), static_cast<DWORD>(modules.size() * sizeof(HMODULE)),
                              &needed) ||
        needed == 0)
        return names;
    const HMODULE module = modules[0];
    names.baseName = WholeName(
        [&](wchar_t* buffer, DWORD size) { return ::GetModuleBaseNameW(process, module, buffer, size); });
    names.path = WholeName(
        [&](wchar_t* buffer, DWORD size) { return ::GetModuleFileNameExW(process, module, buffer, size); });
    return names;
}

std::uint64_t StartTime(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
    return (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

bool HasEnded(HANDLE process) {
    DWORD code = 0;
    return !::GetExitCodeProcess(process, &code) || code != STILL_ACTIVE;
}

DWORD ProcessOfWindow(HWND hWnd) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    return pid;
}

}  // namespace

CProcessNames QueryProcessNames(DWORD pid) {
    CProcessNames names;
    if (pid == 0) return names;
    HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) return names;
    names = ReadNames(process);
    ::CloseHandle(process);
    return names;
}

CProcessInfoCache::~CProcessInfoCache() { Clear(); }

CProcessNames CProcessInfoCache::Lookup(HWND hWnd) {
    DWORD pid = ProcessOfWindow(hWnd);
    if (pid == 0) return {};
    auto it = m_entries.find(pid);
    if (it != m_entries.end()) {
        if (!HasEnded(it->second.process)) return it->second.names;
        ::CloseHandle(it->second.process);
        m_entries.erase(it);
    }
    HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) return {};
    Entry entry;
    entry.process = process;
    entry.startTime = StartTime(process);
    entry.names = ReadNames(process);
    if (entry.names.baseName.empty()) {
        // Unreadable now (still starting, or beyond our rights): ask again next time.
        ::CloseHandle(process);
        return entry.names;
    }
    CProcessNames names = entry.names;
    m_entries.emplace(pid, std::move(entry));
    return names;
}

bool CProcessInfoCache::Peek(HWND hWnd, CProcessNames* names) const {
    auto it = m_entries.find(ProcessOfWindow(hWnd));
    if (it == m_entries.end()) return false;
    *names = it->second.names;
    return true;
}

void CProcessInfoCache::Prune() {
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        if (HasEnded(it->second.process)) {
            ::CloseHandle(it->second.process);
            it = m_entries.erase(it);
        } else {
            ++it;
        }
    }
}

void CProcessInfoCache::Clear() {
    for (auto& [pid, entry] : m_entries) ::CloseHandle(entry.process);
    m_entries.clear();
}

CProcessNames ProcessNamesOfWindow(HWND hWnd, CProcessInfoCache* cache) {
    if (cache) return cache->Lookup(hWnd);
    return QueryProcessNames(ProcessOfWindow(hWnd));
}
