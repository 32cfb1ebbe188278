// Sequential writer of initialisation-format files.
//
// In stream mode (1) the writer writes the file itself and writes a
// "[section]" line whenever the section changes and a "key=value" line for
// each key. Every line ends with the bytes 0D 0D 0A, the line end the
// program has always produced, on every platform. In profile mode (0) each
// key goes through the platform's profile-writing function (see
// SetProfileWriter).
//
// Stream mode never rewrites a file in place: the lines go to a temporary
// file beside it, and close() flushes that file to the disk and puts it in
// the target's place in one step (see AtomicFile.h). A writer that fails,
// or that is never closed, leaves the old file as it was.
//
// Values are written so that the reader gives them back: a line break
// inside a value becomes a blank (it would end the key and let the rest
// read as further keys or sections), a value ends at a zero byte as a C
// string does, and a value with blanks at either end or enclosed in quotes
// is written inside a pair of double quotes, which reading removes. A value
// that this line form cannot give back exactly (see FitsLineForm) is for
// the caller to store whole elsewhere as well (the note files use an added
// key, see NoteFields.h).
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Writes one key the way WritePrivateProfileStringA does; returns success.
using ProfileWriter = bool (*)(const char* section, const char* key, const char* value,
                               const char* path);

class CWriteIniFile {
public:
    enum Mode { kProfileMode = 0, kStreamMode = 1 };

    CWriteIniFile() = default;
    explicit CWriteIniFile(int mode) : m_mode(mode) {}
    ~CWriteIniFile();
    CWriteIniFile(const CWriteIniFile&) = delete;
    CWriteIniFile& operator=(const CWriteIniFile&) = delete;

    void SetMode(int mode) { m_mode = mode; }
    int Mode() const { return m_mode; }

    // Stream mode: starts a new version of the file (in its temporary file);
    // 1 on success, otherwise traces the failure and returns 0 (also for a
    // file that could not be read and is therefore not replaced). Profile
    // mode: 1 at once.
    int open(const std::string& path);
    // Writes one key (and the section line when the section changed). Stream
    // mode: 1. Profile mode: the platform writer's result (0 without one).
    int write(std::string_view section, std::string_view key, std::string_view value, const std::string& path);
    int write(std::string_view section, std::string_view key, long long value, const std::string& path);
    // Writes a text: its code-page form in the key, and, when a reader
    // would not get the text back from that (a character the code page
    // lacks, a line break, a zero byte, a value longer than a reader
    // takes), the exact text as well in the added key ExactKeyOf(key),
    // after the section's other keys (plain hexadecimal digits of its
    // UTF-8 bytes, see TextProtect.h). Results as write().
    int writeText(std::string_view section, std::string_view key, std::string_view text, const std::string& path);
    // Writes one key whose value of `valueBytes` bytes `fill` writes in
    // place (no copy of a large value). Only for values that need neither
    // quotes nor a one-line form (such as hexadecimal digits). Results as
    // write().
    int writeFilled(std::string_view section, std::string_view key, std::size_t valueBytes,
                    const std::function<void(char* value)>& fill, const std::string& path);
    // Stream mode: completes the file (flush, replace, backups); false when
    // any write, the flush or the replacement failed, the old file then
    // being untouched.
    bool close();
    // Drops the version being written; the old file stays.
    void discard();

    // Stream mode into memory: the lines are kept (no file) until taken;
    // room for `expectedBytes` is made at once.
    void openMemory(std::size_t expectedBytes = 0);
    std::string takeText();

    // Previous versions kept beside the file by close() (0: none).
    void SetBackups(int generations) { m_backups = generations; }

    // What a reader gets back for `value` written as a key: line breaks
    // blanked, the value ended at a zero byte, then cut to the reader's
    // longest string (CIniFile::kMaxString, on a character boundary).
    static std::string LineFormAsRead(std::string_view value);
    // Whether LineFormAsRead(value) is `value` itself.
    static bool FitsLineForm(std::string_view value);
    // The bytes a reader gets from the key written for `text`: its
    // code-page form in line form, cut to `maxBytes`.
    static std::string UsualFormAsRead(std::string_view text, std::size_t maxBytes = 8191);
    // Whether a reader needs the added key to get `text` back from them.
    static bool NeedsExactKey(std::string_view text);

    // Installs the profile-mode key writer.
    static void SetProfileWriter(ProfileWriter writer);

private:
    void SectionLine(std::string_view section);
    // Writes the added keys held back for the end of the current section.
    void EndSection();
    void Append(std::string_view text);
    void EndLine();
    void Flush();

    int m_mode = kProfileMode;
    std::FILE* m_file = nullptr;
    std::string m_target;
    std::string m_temp;
    int m_backups = 0;
    bool m_memory = false;
    std::string m_lastSection;
    std::string m_buffer;  // lines not yet handed to the file
    bool m_failed = false;
    // Added keys (key, value) written when the current section ends.
    std::vector<std::pair<std::string, std::string>> m_sectionTail;
};
