// Crash-safe replacement of the files the user keeps.
//
// A file is never rewritten in place: its new contents go to a temporary
// file in the same folder, which is flushed to the disk and then put in the
// target's place in one step. Until that step the old file is untouched; after
// it the new one is complete. A crash, a kill or a full disk therefore leaves
// either the old or the new version, never a mix or an empty file.
//
// Files with backups keep the previous versions beside them as
// "<target>.bak1" (newest) to "<target>.bakN".
//
// The platform layer installs the system's flush, replace, copy and link
// operations; without them the portable defaults (stdio flush, rename, stdio
// copy, POSIX link where there is one) are used.
#pragma once

#include <cstdio>
#include <string>

// Pushes a file's buffered data to the disk (after the stdio flush);
// false on failure.
using FileFlusher = bool (*)(std::FILE* file);
// Puts `temp` in place of `target` in one step (target may or may not
// exist); false on failure, with both files as they were.
using FileReplacer = bool (*)(const char* temp, const char* target);
// Copies `from` to `to`, replacing `to`; false on failure.
using FileCopier = bool (*)(const char* from, const char* to);
// Gives the file `from` the second name `to` (a hard link: no bytes are
// copied), `to` not existing; false on failure or where the file system
// has no such links.
using FileLinker = bool (*)(const char* from, const char* to);

void SetFileFlusher(FileFlusher flusher);
void SetFileReplacer(FileReplacer replacer);
void SetFileCopier(FileCopier copier);
void SetFileLinker(FileLinker linker);

// The name "<target>.tmp" (kept for the files other versions of the
// program may have left; the writer itself never uses this name).
std::string TempPathFor(const std::string& target);
// Creates a new temporary file for `target` in the target's folder, under a
// name no file had ("<target>.<unique>.tmp"): it is created only if the name
// is free (never opening an existing file or a link planted there), so a
// file of that name is left alone. Null when none could be created; else
// the open file, its name in `tempPath`.
std::FILE* CreateTempFileFor(const std::string& target, std::string* tempPath);
// Backup generation `n` (1 = newest) of `target`.
std::string BackupPath(const std::string& target, int generation);

bool FileExists(const std::string& path);

// Flushes `file` (stdio and system buffers) and closes it; false when any
// step failed. The file is closed in every case.
bool FlushAndClose(std::FILE* file);

// Puts the finished temporary file in place of `target`. With `backups` > 0
// the current target is first kept as backup 1, the older backups moving
// down one generation (the oldest dropped). False when the replacement
// failed: the target is then untouched and the temporary file removed.
bool CommitFile(const std::string& temp, const std::string& target, int backups);

// Writes `bytes` to `target` through a temporary file (flush, replace,
// backups as CommitFile). False on failure, the target untouched.
bool WriteFileAtomically(const std::string& target, const std::string& bytes, int backups = 0);

// Files that exist but could not be read are not replaced: a write to a
// blocked path fails until the block is lifted (after a successful read).
void BlockFileWrites(const std::string& path);
void UnblockFileWrites(const std::string& path);
bool AreFileWritesBlocked(const std::string& path);
