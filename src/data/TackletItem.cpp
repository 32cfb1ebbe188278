// The note section of the note files: TackletData::ReadItem and WriteItem.
#include "data/IniFile.h"
#include "data/MbString.h"
#include "data/NoteDate.h"
#include "data/TackletData.h"
#include "data/TextProtect.h"
#include "data/WriteIniFile.h"

namespace {

void ReadDate(const CIniFile& ini, const std::string& section, const char* key, PvTime* field) {
    PvTime time;
    if (ParseNoteDate(ini.GetString(section, key, ""), &time)) *field = time;
}

}  // namespace

void CTackletData::ReadItem(const CIniFile& ini, std::uint32_t volumeKey, const std::string& section) {
    const std::string& s = section;
    TITLEFLAG = ini.GetInt(s, "TITLEFLAG", TITLEFLAG);
    PRECESSEFLAG = ini.GetInt(s, "PRECESSEFLAG", PRECESSEFLAG);
    EXTENTFLAG = ini.GetInt(s, "EXTENTFLAG", EXTENTFLAG);
    FULL = ini.GetInt(s, "FULL", FULL);
    EXFULLFLAG = ini.GetInt(s, "EXFULLFLAG", EXFULLFLAG);
    TITLE = ini.GetString(s, "TITLE", "");
    PART = ini.GetString(s, "PART", "");
    EXENAME = MbToUpper(ini.GetString(s, "EXENAME", ""));
    EXEPATH = ini.GetString(s, "EXEPATH", "");
    EXCTLID = ini.GetInt(s, "EXCTLID", EXCTLID);
    EXCLASS = ini.GetString(s, "EXCLASS", "");
    EXTEXT = ini.GetString(s, "EXTEXT", "");
    EXPART = ini.GetString(s, "EXPART", "");
    ReadDate(ini, s, "GENDATE", &GENDATE);
    ReadDate(ini, s, "ACSDATE", &ACSDATE);
    REC_TOP = ini.GetInt(s, "REC_TOP", 0);
    REC_BOTTOM = ini.GetInt(s, "REC_BOTTOM", 0);
    REC_LEFT = ini.GetInt(s, "REC_LEFT", 0);
    REC_RIGHT = ini.GetInt(s, "REC_RIGHT", 0);
    TGT_TOP = ini.GetInt(s, "TGT_TOP", 0);
    TGT_BOTTOM = ini.GetInt(s, "TGT_BOTTOM", 0);
    TGT_LEFT = ini.GetInt(s, "TGT_LEFT", 0);
    TGT_RIGHT = ini.GetInt(s, "TGT_RIGHT", 0);
    READONLY = ini.GetInt(s, "READONLY", 0);
    TRANSPARENT_ = ClampTransparent(ini.GetInt(s, "TRANSPARENT", 70));
    MOUSEHIDECTL = ini.GetInt(s, "MOUSEHIDECTL", MOUSEHIDECTL);
    COLOR = ini.GetInt(s, "COLOR", COLOR);
    FRAME = ini.GetInt(s, "FRAME", FRAME);
    BKCOLOR = ini.GetInt(s, "BKCOLOR", BKCOLOR);
    TXCOLOR = ini.GetInt(s, "TXCOLOR", TXCOLOR);
    BKTRANSPARENT = ini.GetInt(s, "BKTRANSPARENT", BKTRANSPARENT);
    PICKPOS = ini.GetInt(s, "PICKPOS", PICKPOS);
    GRAFLG = ini.GetInt(s, "GRAFLG", GRAFLG);
    GRAPTN = ini.GetInt(s, "GRAPTN", GRAPTN);

    const std::string face = ini.GetString(s, "FONTFACENAME", "");
    if (!face.empty()) {
        SetFaceName(m_logFont, face);
        m_logFont.lfHeight = ini.GetInt(s, "FONTHEIGHT", 0);
        m_logFont.lfWeight = ini.GetInt(s, "FONTWEIGHT", 0);
        m_logFont.lfItalic = static_cast<std::uint8_t>(ini.GetInt(s, "FONTITALIC", 0));
    }

    m_arrow.ARWFLAG = ini.GetInt(s, "ARWFLAG", m_arrow.ARWFLAG);
    m_arrow.ARWSATRTX = ini.GetInt(s, "ARWSATRTX", m_arrow.ARWSATRTX);
    m_arrow.ARWSTARTY = ini.GetInt(s, "ARWSTARTY", m_arrow.ARWSTARTY);
    m_arrow.ARWENDX = ini.GetInt(s, "ARWENDX", m_arrow.ARWENDX);
    m_arrow.ARWENDY = ini.GetInt(s, "ARWENDY", m_arrow.ARWENDY);
    ARLINEWIDTH = ini.GetInt(s, "ARLINEWIDTH", ARLINEWIDTH);

    const int format = ini.GetInt(s, "TEXTFORMAT", kTextPlain);
    if (format == kTextPlain || format == kTextScrambled) {
        TEXT = DecodeBody(ini.GetString(s, "TEXT", ""), format, volumeKey);
    }
}

void CTackletData::WriteItem(CWriteIniFile& writer, int format, std::uint32_t volumeKey,
                             const std::string& section, const std::string& path) const {
    auto number = [&](const char* key, long long value) { writer.write(section, key, value, path); };
    auto text = [&](const char* key, const std::string& value) { writer.write(section, key, value, path); };

    number("TITLEFLAG", TITLEFLAG);
    number("PRECESSEFLAG", PRECESSEFLAG);
    number("EXTENTFLAG", EXTENTFLAG);
    number("EXFULLFLAG", EXFULLFLAG);
    text("TITLE", TITLE);
    number("FULL", FULL);
    text("PART", PART);
    text("EXENAME", EXENAME);
    text("EXEPATH", EXEPATH);
    number("EXCTLID", EXCTLID);
    text("EXCLASS", EXCLASS);
    text("EXTEXT", EXTEXT);
    text("EXPART", EXPART);
    text("GENDATE", FormatNoteDate(GENDATE));
    text("ACSDATE", FormatNoteDate(ACSDATE));
    number("REC_TOP", REC_TOP);
    number("REC_BOTTOM", REC_BOTTOM);
    number("REC_LEFT", REC_LEFT);
    number("REC_RIGHT", REC_RIGHT);
    number("TGT_TOP", TGT_TOP);
    number("TGT_BOTTOM", TGT_BOTTOM);
    number("TGT_LEFT", TGT_LEFT);
    number("TGT_RIGHT", TGT_RIGHT);
    number("READONLY", READONLY);
    number("TRANSPARENT", TRANSPARENT_);
    number("MOUSEHIDECTL", MOUSEHIDECTL);
    number("COLOR", COLOR);
    number("FRAME", FRAME);
    number("BKCOLOR", BKCOLOR);
    number("TXCOLOR", TXCOLOR);
    number("BKTRANSPARENT", BKTRANSPARENT);
    number("PICKPOS", PICKPOS);
    number("GRAFLG", GRAFLG);
    number("GRAPTN", GRAPTN);
    text("FONTFACENAME", std::string(FaceNameOf(m_logFont)));
    number("FONTHEIGHT", m_logFont.lfHeight);
    number("FONTWEIGHT", m_logFont.lfWeight);
    number("FONTITALIC", m_logFont.lfItalic);
    number("ARWFLAG", m_arrow.ARWFLAG);
    number("ARWSATRTX", m_arrow.ARWSATRTX);
    number("ARWSTARTY", m_arrow.ARWSTARTY);
    number("ARWENDX", m_arrow.ARWENDX);
    number("ARWENDY", m_arrow.ARWENDY);
    number("ARLINEWIDTH", ARLINEWIDTH);
    if (format == kTextPlain || format == kTextScrambled) {
        number("TEXTFORMAT", format);
        text("TEXT", EncodeBody(TEXT, format, volumeKey));
    }
}
