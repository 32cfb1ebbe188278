#include "dialogs/NoteDefaultsText.h"

namespace NoteDefaultsText {

std::string EarPosition(int pickPos) {
    switch (pickPos) {
    case 0: return "右";
    case 1: return "上";
    case 2: return "左";
    default: return "下";
    }
}

std::string Gradient(int graFlg, int graPtn) {
    if (!graFlg) return "Gradation 無し";
    static const char* const kPatterns[8] = {"上から下",     "下から上",     "左から右",     "右から左",
                                             "上下から中央", "中央から上下", "左右から中央", "中央から左右"};
    std::string text = "Gradation 有り:";
    if (graPtn >= 0 && graPtn < 8) text += kPatterns[graPtn];
    return text;
}

std::string LeaderLine(int arwFlag, int lineWidth) {
    static const char* const kWidths[3] = {"細い", "標準", "太い"};
    std::string text = arwFlag == 1 ? "あり　　線幅：" : "なし　　線幅：";
    text += lineWidth >= 0 && lineWidth < 3 ? kWidths[lineWidth] : "Unknown";
    return text;
}

FontSize FontSizeText(int height, int dpi) {
    if (height > 0) return {"高さ", Number(height)};
    if (height == 0 || dpi <= 0) return {"サイズ", "デフォルト"};
    // -height * 72 / dpi, rounded to nearest.
    const long long scaled = static_cast<long long>(-height) * 72;
    return {"サイズ", Number(static_cast<int>((2 * scaled + dpi) / (2LL * dpi)))};
}

std::string MouseHide(int mouseHideCtl) {
    return mouseHideCtl != 0 ? "マウス重なり透明化ON" : "マウス重なり透明化OFF";
}

std::string Frame(int frame) { return frame != 0 ? "サイズ変更枠を付ける" : "サイズ変更枠を外す"; }

std::string Number(int value) { return std::to_string(value); }

std::uint32_t TextColor(int txColor) {
    switch (txColor) {
    case 0: return Rgb(0, 0, 0);
    case 1: return Rgb(255, 0, 0);
    default: return Rgb(0, 0, 255);
    }
}

std::uint32_t EarColor(int color) {
    switch (color) {
    case 0: return Rgb(255, 0, 0);
    case 1: return Rgb(0, 255, 0);
    case 2: return Rgb(0, 0, 255);
    case 3: return Rgb(253, 140, 2);
    default: return Rgb(0, 0, 0);
    }
}

std::uint32_t BackgroundColor(int bkColor) {
    switch (bkColor) {
    case 0: return Rgb(255, 255, 255);
    case 1: return Rgb(255, 200, 200);
    case 2: return Rgb(200, 255, 200);
    case 3: return Rgb(200, 200, 255);
    case 4: return Rgb(255, 255, 180);
    default: return Rgb(150, 150, 150);
    }
}

}  // namespace NoteDefaultsText
