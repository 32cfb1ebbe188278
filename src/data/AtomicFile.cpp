#include "data/AtomicFile.h"

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <set>
#include <vector>

#include "data/FileSystem.h"
#include "data/Trace.h"

namespace {

bool StdioFlush(std::FILE*) { return true; }

bool RenameReplace(const char* temp, const char* target) {
    if (RenameFile(temp, target)) return true;
#ifdef _WIN32
    // The Windows C runtime's rename refuses an existing target. This
    // fallback only serves programs that install no replacer of their own
    // (Pinvane installs one that replaces in one step).
    RemoveFile(target);
    return RenameFile(temp, target);
#else
    return false;
#endif
}

bool StdioCopy(const char* from, const char* to) {
    std::FILE* in = OpenFile(from, "rb");
    if (in == nullptr) return false;
    std::FILE* out = CreateNewFile(to);
    if (out == nullptr) {
        std::fclose(in);
        return false;
    }
    bool ok = true;
    char chunk[65536];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0) {
        if (std::fwrite(chunk, 1, n, out) != n) {
            ok = false;
            break;
        }
    }
    if (std::ferror(in)) ok = false;
    std::fclose(in);
    if (!FlushAndClose(out)) ok = false;
    return ok;
}

bool PosixLink(const char* from, const char* to) {
#ifdef _WIN32
    // The C runtime has no links; the platform layer installs the system's.
    (void)from;
    (void)to;
    return false;
#else
    return ::link(from, to) == 0;
#endif
}

FileFlusher g_flusher = StdioFlush;
FileReplacer g_replacer = RenameReplace;
FileCopier g_copier = StdioCopy;
FileLinker g_linker = PosixLink;

// A name for a new file beside `target` that no other writer of this
// process or another one picks at the same moment.
std::string UniqueNameFor(const std::string& target) {
    static std::atomic<unsigned> counter{0};
#ifdef _WIN32
    const unsigned pid = static_cast<unsigned>(::_getpid());
#else
    const unsigned pid = static_cast<unsigned>(::getpid());
#endif
    const auto ticks = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    char unique[64];
    std::snprintf(unique, sizeof unique, ".%x-%x-%llx", pid, counter++, ticks & 0xffffffffull);
    return target + unique;
}

// Keeps the current version of `target` under the name `staged` as well.
// A link costs nothing whatever the size of the file; a copy serves where
// the file system has no links. The target is never rewritten in place
// (every version is a new file put in its place), so a linked name keeps
// the old bytes once the target has been replaced.
bool KeepCurrentVersion(const std::string& target, const std::string& staged) {
    return g_linker(target.c_str(), staged.c_str()) || g_copier(target.c_str(), staged.c_str());
}

// Staged backups that could not be removed when a save failed (a link to a
// file another program holds without letting it be deleted): removed by a
// later save.
std::vector<std::string>& LeftBehind() {
    static std::vector<std::string> paths;
    return paths;
}

void RemoveOrLeaveForLater(const std::string& path) {
    if (!RemoveFile(path) && FileExists(path)) LeftBehind().push_back(path);
}

void RemoveLeftBehind() {
    auto& paths = LeftBehind();
    paths.erase(std::remove_if(paths.begin(), paths.end(),
                               [](const std::string& p) { return RemoveFile(p) || !FileExists(p); }),
                paths.end());
}

std::set<std::string>& BlockedPaths() {
    static std::set<std::string> paths;
    return paths;
}

// Paths compare without regard to ASCII case, as the file system does.
std::string PathKey(const std::string& path) {
    std::string key = path;
    std::transform(key.begin(), key.end(), key.begin(),
                   [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; });
    return key;
}

}  // namespace

void SetFileFlusher(FileFlusher flusher) { g_flusher = flusher ? flusher : StdioFlush; }
void SetFileReplacer(FileReplacer replacer) { g_replacer = replacer ? replacer : RenameReplace; }
void SetFileCopier(FileCopier copier) { g_copier = copier ? copier : StdioCopy; }
void SetFileLinker(FileLinker linker) { g_linker = linker ? linker : PosixLink; }

std::string TempPathFor(const std::string& target) { return target + ".tmp"; }

std::FILE* CreateTempFileFor(const std::string& target, std::string* tempPath) {
    // A name taken (by another writer, a file left behind or one planted
    // there) is passed by for the next one.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path = UniqueNameFor(target) + ".tmp";
        std::FILE* file = CreateNewFile(path);
        if (file != nullptr) {
            *tempPath = path;
            return file;
        }
        if (errno != EEXIST) break;
    }
    return nullptr;
}

std::string BackupPath(const std::string& target, int generation) {
    return target + ".bak" + std::to_string(generation);
}

bool FileExists(const std::string& path) {
    return KindOfPath(path) != PathKind::Missing;
}

bool FlushAndClose(std::FILE* file) {
    bool ok = std::fflush(file) == 0;
    if (ok && !g_flusher(file)) ok = false;
    if (std::fclose(file) != 0) ok = false;
    return ok;
}

bool CommitFile(const std::string& temp, const std::string& target, int backups) {
    if (AreFileWritesBlocked(target)) {
        Trace("CommitFile(%s): not replaced, the file could not be read\n", target.c_str());
        RemoveFile(temp);
        return false;
    }
    // The current version is linked or copied (not moved, so that the target
    // exists at every moment) before the replacement; the generations move
    // only once the replacement succeeded, so a failed save leaves every
    // backup as it was. A backup that cannot be made does not stop the save.
    RemoveLeftBehind();
    // The staged backup takes a fresh name too; a file of that name that
    // appeared in between makes the link or copy fail rather than be used.
    std::string staged = UniqueNameFor(BackupPath(target, 1)) + ".tmp";
    while (FileExists(staged)) staged = UniqueNameFor(BackupPath(target, 1)) + ".tmp";
    bool backedUp = false;
    if (backups > 0 && FileExists(target)) {
        backedUp = KeepCurrentVersion(target, staged);
        if (!backedUp) Trace("CommitFile(%s): backup not written\n", target.c_str());
    }
    if (!g_replacer(temp.c_str(), target.c_str())) {
        Trace("CommitFile(%s): replace failed\n", target.c_str());
        RemoveFile(temp);
        if (backedUp) RemoveOrLeaveForLater(staged);
        return false;
    }
    if (backedUp) {
        for (int g = backups - 1; g >= 1; --g) {
            const std::string from = BackupPath(target, g);
            if (FileExists(from) && !g_replacer(from.c_str(), BackupPath(target, g + 1).c_str()))
                Trace("CommitFile(%s): backup %d not rotated\n", target.c_str(), g);
        }
        if (!g_replacer(staged.c_str(), BackupPath(target, 1).c_str())) {
            Trace("CommitFile(%s): backup not written\n", target.c_str());
            RemoveOrLeaveForLater(staged);
        }
    }
    return true;
}

bool WriteFileAtomically(const std::string& target, const std::string& bytes, int backups) {
    if (AreFileWritesBlocked(target)) return false;
    std::string temp;
    std::FILE* file = CreateTempFileFor(target, &temp);
    if (file == nullptr) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (!FlushAndClose(file)) ok = false;
    if (!ok) {
        RemoveFile(temp);
        return false;
    }
    return CommitFile(temp, target, backups);
}

void BlockFileWrites(const std::string& path) { BlockedPaths().insert(PathKey(path)); }
void UnblockFileWrites(const std::string& path) { BlockedPaths().erase(PathKey(path)); }
bool AreFileWritesBlocked(const std::string& path) { return BlockedPaths().count(PathKey(path)) != 0; }
