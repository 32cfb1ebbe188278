// The note section of the note files: TackletData::ReadItem and WriteItem.
#include "data/IniFile.h"
#include "data/MbString.h"
#include "data/NoteDate.h"
#include "data/TackletData.h"
#include "data/TextProtect.h"
#include "data/WriteIniFile.h"

namespace {

void ReadDate(const CIniFile::SectionView& s, const char* key, PvTime* field) {
    PvTime time;
    if (ParseNoteDate(s.GetString(key, ""), &time)) *field = time;
}

}  // namespace

void CTackletData::ReadItem(const CIniFile& ini, std::uint32_t volumeKey, const std::string& section) {
    const CIniFile::SectionView s = ini.GetSection(section);
    TITLEFLAG = s.GetInt("TITLEFLAG", TITLEFLAG);
    PRECESSEFLAG = s.GetInt("PRECESSEFLAG", PRECESSEFLAG);
    EXTENTFLAG = s.GetInt("EXTENTFLAG", EXTENTFLAG);
    FULL = s.GetInt("FULL", FULL);
    EXFULLFLAG = s.GetInt("EXFULLFLAG", EXFULLFLAG);
    TITLE = s.GetString("TITLE", "");
    PART = s.GetString("PART", "");
    EXENAME = MbToUpper(s.GetString("EXENAME", ""));
    EXEPATH = s.GetString("EXEPATH", "");
    EXCTLID = s.GetInt("EXCTLID", EXCTLID);
    EXCLASS = s.GetString("EXCLASS", "");
    EXTEXT = s.GetString("EXTEXT", "");
    EXPART = s.GetString("EXPART", "");
    ReadDate(s, "GENDATE", &GENDATE);
    ReadDate(s, "ACSDATE", &ACSDATE);
    REC_TOP = s.GetInt("REC_TOP", 0);
    REC_BOTTOM = s.GetInt("REC_BOTTOM", 0);
    REC_LEFT = s.GetInt("REC_LEFT", 0);
    REC_RIGHT = s.GetInt("REC_RIGHT", 0);
    TGT_TOP = s.GetInt("TGT_TOP", 0);
    TGT_BOTTOM = s.GetInt("TGT_BOTTOM", 0);
    TGT_LEFT = s.GetInt("TGT_LEFT", 0);
    TGT_RIGHT = s.GetInt("TGT_RIGHT", 0);
    READONLY = s.GetInt("READONLY", 0);
    TRANSPARENT_ = ClampTransparent(s.GetInt("TRANSPARENT", 70));
    MOUSEHIDECTL = s.GetInt("MOUSEHIDECTL", MOUSEHIDECTL);
    COLOR = s.GetInt("COLOR", COLOR);
    FRAME = s.GetInt("FRAME", FRAME);
    BKCOLOR = s.GetInt("BKCOLOR", BKCOLOR);
    TXCOLOR = s.GetInt("TXCOLOR", TXCOLOR);
    BKTRANSPARENT = s.GetInt("BKTRANSPARENT", BKTRANSPARENT);
    PICKPOS = s.GetInt("PICKPOS", PICKPOS);
    GRAFLG = s.GetInt("GRAFLG", GRAFLG);
    GRAPTN = s.GetInt("GRAPTN", GRAPTN);

    const std::string face = s.GetString("FONTFACENAME", "");
    if (!face.empty()) {
        SetFaceName(m_logFont, face);
        m_logFont.lfHeight = s.GetInt("FONTHEIGHT", 0);
        m_logFont.lfWeight = s.GetInt("FONTWEIGHT", 0);
        m_logFont.lfItalic = static_cast<std::uint8_t>(s.GetInt("FONTITALIC", 0));
    }

    m_arrow.ARWFLAG = s.GetInt("ARWFLAG", m_arrow.ARWFLAG);
    m_arrow.ARWSATRTX = s.GetInt("ARWSATRTX", m_arrow.ARWSATRTX);
    m_arrow.ARWSTARTY = s.GetInt("ARWSTARTY", m_arrow.ARWSTARTY);
    m_arrow.ARWENDX = s.GetInt("ARWENDX", m_arrow.ARWENDX);
    m_arrow.ARWENDY = s.GetInt("ARWENDY", m_arrow.ARWENDY);
    ARLINEWIDTH = s.GetInt("ARLINEWIDTH", ARLINEWIDTH);

    const int format = s.GetInt("TEXTFORMAT", kTextPlain);
    if (format == kTextPlain || format == kTextScrambled) {
        TEXT = DecodeBody(s.GetView("TEXT", ""), format, volumeKey);
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
