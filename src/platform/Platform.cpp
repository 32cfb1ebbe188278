#include "platform/Platform.h"

#include "data/AtomicFile.h"
#include "data/DpiScale.h"
#include "data/RecordDefaults.h"
#include "data/VersionText.h"
#include "data/VolumeKey.h"
#include "data/Trace.h"
#include "platform/AppPaths.h"
#include "platform/RuntimeDll.h"
#include "platform/WinText.h"

#include <windows.h>

#include <io.h>

#include <cstdio>
#include <vector>

bool QueryVolumeSerial(char drive, uint32_t* serial) {
    const wchar_t root[4] = {static_cast<wchar_t>(static_cast<unsigned char>(drive)), L':', L'\\', L'\0'};
    DWORD vsn = 0;
    // No "insert a disk" box for an empty drive.
    UINT old = ::SetErrorMode(SEM_FAILCRITICALERRORS);
    BOOL ok = ::GetVolumeInformationW(root, nullptr, 0, &vsn, nullptr, nullptr, nullptr, 0);
    ::SetErrorMode(old);
    if (!ok) return false;
    *serial = vsn;
    return true;
}

std::string ReadVersionText() {
    // The program file by its full path, whatever its length and characters.
    const std::wstring path = ModulePathWide();
    if (path.empty()) return std::string();
    // Not imported: a version.dll planted beside the program would be
    // loaded before any code of ours runs. From the system folder instead.
    const CRuntimeDll version("version.dll");
    using SizeFn = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
    using InfoFn = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
    using QueryFn = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);
    const auto getSize = version.Find<SizeFn>("GetFileVersionInfoSizeW");
    const auto getInfo = version.Find<InfoFn>("GetFileVersionInfoW");
    const auto queryValue = version.Find<QueryFn>("VerQueryValueA");
    if (!getSize || !getInfo || !queryValue) return std::string();
    DWORD handle = 0;
    DWORD size = getSize(path.c_str(), &handle);
    if (size == 0) return std::string();
    std::vector<char> block(size);
    if (!getInfo(path.c_str(), 0, size, block.data())) return std::string();

    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* tr = nullptr;
    UINT len = 0;
    if (!queryValue(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&tr), &len) ||
        len < sizeof(Translation))
        return std::string();

    char lang[16];
    std::snprintf(lang, sizeof lang, "%04x%04x", tr[0].language, tr[0].codePage);
    char sub[64];
    std::snprintf(sub, sizeof sub, "\\StringFileInfo\\%s\\%s", lang, "ProductVersion");
    char* value = nullptr;
    if (!queryValue(block.data(), sub, reinterpret_cast<void**>(&value), &len) || !value)
        return std::string();
    return std::string("Ver.:") + value;
}

bool FlushFileToDisk(std::FILE* file) {
    // The C runtime's flush only empties its own buffer into the system's.
    HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file)));
    return handle != INVALID_HANDLE_VALUE && ::FlushFileBuffers(handle) != FALSE;
}

namespace {

// Attempts at replacing a file in use; the waits between them double from
// 20 ms (620 ms in all).
constexpr int kReplaceAttempts = 6;

// Attributes a new version takes over from the one it replaces.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// One attempt; `error` receives the system's error code on failure. The
// temporary file is renamed over the target, so the target's name refers
// to the old or the new version at every moment, whenever the program is
// ended. (ReplaceFile is no such step: under Wine it first moves the
// target aside, and a program ended in between leaves no file at all.)
// The rename fails, leaving both files, on a target another program holds
// open without allowing its deletion.
bool ReplaceOnce(const char* temp, const char* target, DWORD* error) {
    const std::wstring wideTarget = WideOf(target);
    const DWORD attributes = ::GetFileAttributesW(wideTarget.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kKeptAttributes) != 0)
        ::SetFileAttributesW(WideOf(temp).c_str(), attributes & kKeptAttributes);
    if (::MoveFileExW(WideOf(temp).c_str(), wideTarget.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    *error = ::GetLastError();
    Trace("MoveFileExW(%s) Error=%d\n", target, static_cast<int>(*error));
    return false;
}

// Errors of a target that another program has open for a moment (a backup,
// sync or virus scanner, an indexer, a viewer reading it).
bool InUseByAnotherProgram(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
}

}  // namespace

bool ReplaceFileInOneStep(const char* temp, const char* target) {
    const DWORD attributes = ::GetFileAttributesW(WideOf(target).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        // The user protected the file: it is not replaced.
        Trace("MoveFileExW(%s) read-only\n", target);
        return false;
    }
    // A target that another program reads at this moment cannot be replaced
    // until it lets go: a few more attempts over about half a second, so that
    // a passing reader does not fail the save. A file held longer fails it.
    DWORD delay = 20;
    for (int attempt = 0;; ++attempt) {
        DWORD error = 0;
        if (ReplaceOnce(temp, target, &error)) return true;
        if (!InUseByAnotherProgram(error) || attempt == kReplaceAttempts - 1) return false;
        ::Sleep(delay);
        delay *= 2;
    }
}

bool CopyFileForBackup(const char* from, const char* to) {
    // `to` is a fresh name: a file that took it in between is not written to.
    return ::CopyFileW(WideOf(from).c_str(), WideOf(to).c_str(), TRUE) != FALSE;
}

bool LinkFileForBackup(const char* from, const char* to) {
    // NTFS and Wine's files have links; FAT volumes and some network shares
    // do not, and the backup is then copied.
    return ::CreateHardLinkW(WideOf(to).c_str(), WideOf(from).c_str(), nullptr) != FALSE;
}

void InstallFileServices() {
    SetFileFlusher(FlushFileToDisk);
    SetFileReplacer(ReplaceFileInOneStep);
    SetFileCopier(CopyFileForBackup);
    SetFileLinker(LinkFileForBackup);
}

void InstallPlatformServices() {
    InstallFileServices();
    SetVolumeSerialProvider(QueryVolumeSerial);
    SetVersionText(ReadVersionText());

    // 9 points; note records keep their fonts at 96 DPI whatever the
    // screen's scaling (each note scales its font to its monitor).
    CRecordDefaults::SetFontHeight(-::MulDiv(9, kBaseDpi, 72));
}
