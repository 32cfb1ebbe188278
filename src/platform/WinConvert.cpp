#include "platform/WinConvert.h"

#include <cwchar>
#include <string_view>

#include "platform/WinText.h"

PvLogFont ToPvLogFont(const LOGFONTW& lf) {
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
    const std::wstring_view face(lf.lfFaceName, wcsnlen(lf.lfFaceName, LF_FACESIZE));
    SetFaceName(f, TextOf(face));
    return f;
}

LOGFONTW ToLogFont(const PvLogFont& f) {
    LOGFONTW lf{};
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
    const std::wstring face = WideOf(FaceNameOf(f));
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    return lf;
}
