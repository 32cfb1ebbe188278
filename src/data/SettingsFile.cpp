#include "data/SettingsFile.h"

#include "data/AtomicFile.h"
#include "data/IniFile.h"
#include "data/SettingsFields.h"
#include "data/Trace.h"
#include "data/ValueBounds.h"
#include "data/WriteIniFile.h"

#include <type_traits>

namespace {
constexpr char kSystem[] = "SYSTEM";
// The face name is read into a buffer of 2048 bytes.
constexpr std::size_t kFaceNameReadBytes = 2047;
}  // namespace

bool PropatyReadFile(const std::string& path, CSettingsData& settings, CTackletData& templ) {
    CIniFile::LoadState state;
    const CIniFile ini = CIniFile::Load(path, &state);
    if (state == CIniFile::LoadState::Unreadable) {
        Trace("PropatyReadFile(%s): the file cannot be read; it is kept as it is\n", path.c_str());
        BlockFileWrites(path);
        return false;
    }
    PropatyRead(ini, settings, templ);
    if (state == CIniFile::LoadState::Missing) {
        // No settings file yet: the desktop hotkey is one that Windows does
        // not hold. A file that exists keeps what it says, or Win+V.
        const CSettingsData fresh;
        settings.HK_PASTDT_MODIFIERS = fresh.HK_PASTDT_MODIFIERS;
        settings.HK_PASTDT_KEY = fresh.HK_PASTDT_KEY;
    }
    return true;
}

bool PropatyRereadBlocked(const std::string& path, CSettingsData& settings, CTackletData& templ) {
    if (!AreFileWritesBlocked(path)) return true;
    CIniFile::LoadState state;
    const CIniFile ini = CIniFile::Load(path, &state);
    if (state == CIniFile::LoadState::Unreadable) return false;
    UnblockFileWrites(path);
    PropatyRead(ini, settings, templ);
    return true;
}

void PropatyRead(const CIniFile& ini, CSettingsData& settings, CTackletData& templ) {
    const std::string face = ini.GetText(kSystem, "FONTFACENAME", "", kFaceNameReadBytes);
    VisitSettingsFields([&](const SettingsField& field, auto get) {
        auto& member = get(settings, templ);
        using Member = std::remove_reference_t<decltype(member)>;
        if constexpr (std::is_same_v<Member, PvLogFont>) {
            if (!face.empty()) SetFaceName(member, face);
        } else {
            if (field.read == SettingsField::kNotRead) {
                member = static_cast<Member>(field.readDefault);
                return;
            }
            if (field.read == SettingsField::kFontPart && face.empty()) return;
            const std::int32_t fallback = field.read == SettingsField::kKeep ? member : field.readDefault;
            std::int32_t value = ini.GetInt(field.section, field.key, fallback);
            if (field.clamp) value = field.clamp(value);
            member = static_cast<Member>(value);
        }
    });
    BoundSettings(settings, templ);
}

bool PropatyWriteFile(const std::string& path, const CSettingsData& settings, const CTackletData& templ) {
    Trace("CControlDlg::PropatyWriteFile()\n");
    CWriteIniFile writer(CWriteIniFile::kStreamMode);
    if (!writer.open(path)) return false;
    VisitSettingsFields([&](const SettingsField& field, auto get) {
        const auto& member = get(settings, templ);
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(member)>, PvLogFont>)
            writer.writeText(field.section, field.key, FaceNameOf(member), path);
        else
            writer.write(field.section, field.key, static_cast<long long>(member), path);
    });
    return writer.close();
}

int PosIntervalChoice(int posInterval) {
    if (posInterval == 10) return 0;
    if (posInterval == 20) return 1;
    return 2;
}

int PosIntervalOfChoice(int choice) {
    if (choice == 0) return 10;
    if (choice == 1) return 20;
    return 50;
}
