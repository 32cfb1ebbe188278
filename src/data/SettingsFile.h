// The settings file: note template values, initial size, tracking period,
// hotkeys, text format and save timing.
#pragma once

#include <cstdint>
#include <string>

#include "data/IniFile.h"
#include "data/TackletData.h"
#include "data/ValueBounds.h"

// Size limits of a note in pixels (fixed, not stored).
class CPropatyData {
public:
    std::int32_t m_minWidth = kMinNoteWidth;
    std::int32_t m_minHeight = kMinNoteHeight;
    std::int32_t m_maxWidth = kMaxNoteWidth;
    std::int32_t m_maxHeight = kMaxNoteHeight;
};

// The settings besides the note template, named by their keys.
struct CSettingsData {
    std::int32_t SAVETIMING = 0;     // 0 save at exit, 1 on every change
    std::int32_t POSINTERVAL = 50;   // tracking period, ms
    std::int32_t INIHEIGHT = 60;
    std::int32_t INIWIDTH = 200;
    std::int32_t ARROWLINEWIDTH = 1;
    std::int32_t HK_PAST_MODIFIERS = 8;    // [HK_PAST] MODIFIERS (1 Alt, 2 Ctrl, 4 Shift, 8 Win)
    std::int32_t HK_PAST_KEY = 83;         // [HK_PAST] KEY ('S')
    // Win+Alt+V for a new settings file: Windows 10 and 11 keep Win+V for
    // their clipboard history, so it cannot be registered there.
    std::int32_t HK_PASTDT_MODIFIERS = 9;  // [HK_PASTDT] MODIFIERS
    std::int32_t HK_PASTDT_KEY = 86;       // [HK_PASTDT] KEY ('V')
    std::int32_t FORMAT = 0;               // [SV_FORMAT] FORMAT: text format of the data file
    std::int32_t TRASHDAYS = 30;           // [TRASH] KEEPDAYS: days a deleted note stays in the trash

    bool operator==(const CSettingsData&) const = default;
};

// Reads the settings file into `settings` and the note template `templ`.
// Missing keys keep the held values, except: SAVETIMING is always 0 after
// reading; TRANSPARENT defaults to 70 and is clamped to 20..100; the font
// keys are read only with a non-empty FONTFACENAME (cut to 31 bytes), then
// with default 0; the hotkeys default to Win+S and Win+V (as files of
// earlier versions expect). The values are then brought into their bounds
// (BoundSettings). A missing file leaves the defaults, where the desktop
// hotkey is Win+Alt+V. A file that exists but cannot be read leaves the
// values as they are, is blocked from being replaced (see BlockFileWrites)
// and gives false.
bool PropatyReadFile(const std::string& path, CSettingsData& settings, CTackletData& templ);
// Before a settings file blocked by PropatyReadFile is edited: reads it
// again. False while it still cannot be read (it stays blocked). True
// otherwise; when it was blocked the block is lifted and its values are
// read into `settings` and `templ`, so that they are shown and kept.
bool PropatyRereadBlocked(const std::string& path, CSettingsData& settings, CTackletData& templ);
void PropatyRead(const CIniFile& ini, CSettingsData& settings, CTackletData& templ);

// Writes every settings key in its fixed order. False (with the writer's
// trace line) when the file cannot be opened or a write fails.
bool PropatyWriteFile(const std::string& path, const CSettingsData& settings, const CTackletData& templ);

// The tracking period as the properties dialog offers it: 10 ms is choice
// 0, 20 ms choice 1, anything else choice 2 (50 ms); and back.
int PosIntervalChoice(int posInterval);
int PosIntervalOfChoice(int choice);
