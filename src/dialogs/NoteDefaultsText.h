// What the note defaults dialog shows for each default value: the summary
// texts and the swatch colours. No window code here.
#pragma once

#include <cstdint>
#include <string>

namespace NoteDefaultsText {

// A colour as 0x00BBGGRR (the layout of a Windows COLORREF).
constexpr std::uint32_t Rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) | (static_cast<std::uint32_t>(b) << 16);
}

// PICKPOS: "右", "上", "左", any other value "下".
std::string EarPosition(int pickPos);
// GRAFLG/GRAPTN: "Gradation 有り:" and the pattern name, or "Gradation 無し".
std::string Gradient(int graFlg, int graPtn);
// ARWFLAG/ARLINEWIDTH: "あり　　線幅：" or "なし　　線幅：" and the width name.
std::string LeaderLine(int arwFlag, int lineWidth);

// The font height as label and value: points ("サイズ") for a negative
// height at `dpi` pixels per inch, pixels ("高さ") for a positive one,
// "サイズ" and "デフォルト" for 0.
struct FontSize {
    std::string label;
    std::string value;
};
FontSize FontSizeText(int height, int dpi);

std::string MouseHide(int mouseHideCtl);
std::string Frame(int frame);
// A number as the dialog shows it ("%d").
std::string Number(int value);

// Swatch colours; every index outside the table takes the last colour.
std::uint32_t TextColor(int txColor);
std::uint32_t EarColor(int color);
std::uint32_t BackgroundColor(int bkColor);

}  // namespace NoteDefaultsText
