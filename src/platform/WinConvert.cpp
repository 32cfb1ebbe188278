#include "platform/WinConvert.h"

#include <cstring>

PvLogFont ToPvLogFont(const LOGFONTA& lf) {
    PvLogFont f;
    f.lfHeight = lf.lfHeight;
    f.lfWidth = lf.lfWidth;
    f.lfEscapement = lf.lfEscapement;
    f.lfOrientation = lf.lfOrientation;
    f.lfWeight = lf.lfWeight;
    f.lfItalic = lf.lfItalic;
    f.lfUnderline = lf.lfUnderline;
    f.lfStrikeOut = lf.lfStrikeOut;
    f.lfCharSet = lf.lfCharSet;
    f.lfOutPrecision = lf.lfOutPrecision;
    f.lfClipPrecision = lf.lfClipPrecision;
    f.lfQuality = lf.lfQuality;
    f.lfPitchAndFamily = lf.lfPitchAndFamily;
    std::memcpy(f.lfFaceName, lf.lfFaceName, sizeof f.lfFaceName);
    f.lfFaceName[sizeof f.lfFaceName - 1] = '\0';
    return f;
}

LOGFONTA ToLogFontA(const PvLogFont& f) {
    LOGFONTA lf{};
    lf.lfHeight = f.lfHeight;
    lf.lfWidth = f.lfWidth;
    lf.lfEscapement = f.lfEscapement;
    lf.lfOrientation = f.lfOrientation;
    lf.lfWeight = f.lfWeight;
    lf.lfItalic = f.lfItalic;
    lf.lfUnderline = f.lfUnderline;
    lf.lfStrikeOut = f.lfStrikeOut;
    lf.lfCharSet = f.lfCharSet;
    lf.lfOutPrecision = f.lfOutPrecision;
    lf.lfClipPrecision = f.lfClipPrecision;
    lf.lfQuality = f.lfQuality;
    lf.lfPitchAndFamily = f.lfPitchAndFamily;
    std::memcpy(lf.lfFaceName, f.lfFaceName, sizeof lf.lfFaceName);
    lf.lfFaceName[LF_FACESIZE - 1] = '\0';
    return lf;
}
