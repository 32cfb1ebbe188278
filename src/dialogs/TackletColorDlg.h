// Colour, ear and leader-line dialog (template 134, "付箋色＆引出し線設定").
// Opened for one note from its menu, or for the note defaults.
#pragma once

#include <array>

#include "data/TackletData.h"
#include "dialogs/AppearanceDlg.h"
#include "platform/GdiHolders.h"

// The values the dialog edits, by the note record's keys.
struct CColorValues {
    int COLOR = 0;
    int PICKPOS = 0;
    int BKCOLOR = 0;
    int TXCOLOR = 0;
    int ARWFLAG = 0;
    int GRAFLG = 0;
    int GRAPTN = 0;
    int ARLINEWIDTH = 1;

    // The values of a note record, and the record given these values.
    static CColorValues Of(const CTackletData& note);
    void ApplyTo(CTackletData& note) const;
};

class CTackletColorDlg : public CAppearanceDlg, public CColorValues {
public:
    CTackletColorDlg();

    // In and out.
    void SetValues(const CColorValues& values) { static_cast<CColorValues&>(*this) = values; }
    const CColorValues& Values() const { return *this; }

    // Swatch controls and the colours they show.
    struct CSwatch {
        int id;
        COLORREF color;
    };
    static const std::array<CSwatch, 10>& Swatches();

protected:
    BOOL OnInitDialog() override;
    void ShowValues() override;
    void ReadControls() override;
    void OnControl(WORD id, WORD code) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // The pattern choices are enabled exactly while the gradient is checked.
    void EnablePatterns();
    HBRUSH ControlColors(HDC dc, HWND control);

    std::array<CBrush, 10> m_swatchBrushes;
};
