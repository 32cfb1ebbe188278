#include "data/SettingsFile.h"

#include "data/AtomicFile.h"
#include "data/IniFile.h"
#include "data/Trace.h"
#include "data/ValueBounds.h"
#include "data/WriteIniFile.h"

namespace {
constexpr char kSystem[] = "SYSTEM";
constexpr char kHkPast[] = "HK_PAST";
constexpr char kHkPastDt[] = "HK_PASTDT";
constexpr char kSvFormat[] = "SV_FORMAT";
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
    settings.SAVETIMING = 0;
    templ.TRANSPARENT_ = CTackletData::ClampTransparent(ini.GetInt(kSystem, "TRANSPARENT", 70));
    settings.POSINTERVAL = ini.GetInt(kSystem, "POSINTERVAL", settings.POSINTERVAL);
    templ.COLOR = ini.GetInt(kSystem, "COLOR", templ.COLOR);
    templ.FRAME = ini.GetInt(kSystem, "FRAME", templ.FRAME);
    templ.BKCOLOR = ini.GetInt(kSystem, "BKCOLOR", templ.BKCOLOR);
    templ.TXCOLOR = ini.GetInt(kSystem, "TXCOLOR", templ.TXCOLOR);
    templ.PICKPOS = ini.GetInt(kSystem, "PICKPOS", templ.PICKPOS);
    templ.GRAFLG = ini.GetInt(kSystem, "GRAFLG", templ.GRAFLG);
    templ.GRAPTN = ini.GetInt(kSystem, "GRAPTN", templ.GRAPTN);

    const std::string face = ini.GetString(kSystem, "FONTFACENAME", "", kFaceNameReadBytes);
    if (!face.empty()) {
        SetFaceName(templ.m_logFont, face);
        templ.m_logFont.lfHeight = ini.GetInt(kSystem, "FONTHEIGHT", 0);
        templ.m_logFont.lfWeight = ini.GetInt(kSystem, "FONTWEIGHT", 0);
        templ.m_logFont.lfItalic = static_cast<std::uint8_t>(ini.GetInt(kSystem, "FONTITALIC", 0));
    }

    templ.m_arrow.ARWFLAG = ini.GetInt(kSystem, "ARWFLAG", templ.m_arrow.ARWFLAG);
    settings.INIHEIGHT = ini.GetInt(kSystem, "INIHEIGHT", settings.INIHEIGHT);
    settings.INIWIDTH = ini.GetInt(kSystem, "INIWIDTH", settings.INIWIDTH);
    settings.ARROWLINEWIDTH = ini.GetInt(kSystem, "ARROWLINEWIDTH", settings.ARROWLINEWIDTH);
    settings.HK_PAST_MODIFIERS = ini.GetInt(kHkPast, "MODIFIERS", 8);
    settings.HK_PAST_KEY = ini.GetInt(kHkPast, "KEY", 83);
    settings.HK_PASTDT_MODIFIERS = ini.GetInt(kHkPastDt, "MODIFIERS", 8);
    settings.HK_PASTDT_KEY = ini.GetInt(kHkPastDt, "KEY", 86);
    settings.FORMAT = ini.GetInt(kSvFormat, "FORMAT", settings.FORMAT);
    BoundSettings(settings, templ);
}

bool PropatyWriteFile(const std::string& path, const CSettingsData& settings, const CTackletData& templ) {
    Trace("CControlDlg::PropatyWriteFile()\n");
    CWriteIniFile writer(CWriteIniFile::kStreamMode);
    if (!writer.open(path)) return false;
    auto number = [&](const char* section, const char* key, long long value) {
        writer.write(section, key, value, path);
    };
    number(kSystem, "SAVETIMING", settings.SAVETIMING);
    number(kSystem, "TRANSPARENT", templ.TRANSPARENT_);
    number(kSystem, "COLOR", templ.COLOR);
    number(kSystem, "FRAME", templ.FRAME);
    number(kSystem, "BKCOLOR", templ.BKCOLOR);
    number(kSystem, "GRAFLG", templ.GRAFLG);
    number(kSystem, "GRAPTN", templ.GRAPTN);
    number(kSystem, "TXCOLOR", templ.TXCOLOR);
    number(kSystem, "PICKPOS", templ.PICKPOS);
    writer.write(kSystem, "FONTFACENAME", std::string(FaceNameOf(templ.m_logFont)), path);
    number(kSystem, "FONTHEIGHT", templ.m_logFont.lfHeight);
    number(kSystem, "FONTWEIGHT", templ.m_logFont.lfWeight);
    number(kSystem, "FONTITALIC", templ.m_logFont.lfItalic);
    number(kSystem, "ARWFLAG", templ.m_arrow.ARWFLAG);
    number(kSystem, "INIHEIGHT", settings.INIHEIGHT);
    number(kSystem, "INIWIDTH", settings.INIWIDTH);
    number(kSystem, "ARROWLINEWIDTH", settings.ARROWLINEWIDTH);
    number(kSystem, "POSINTERVAL", settings.POSINTERVAL);
    number(kHkPast, "MODIFIERS", settings.HK_PAST_MODIFIERS);
    number(kHkPast, "KEY", settings.HK_PAST_KEY);
    number(kHkPastDt, "MODIFIERS", settings.HK_PASTDT_MODIFIERS);
    number(kHkPastDt, "KEY", settings.HK_PASTDT_KEY);
    number(kSvFormat, "FORMAT", settings.FORMAT);
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
