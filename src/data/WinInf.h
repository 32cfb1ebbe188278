// Information about windows found on screen: the input of the match test.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/PvTypes.h"

// A block with the layout of the Windows WINDOWINFO (60 bytes).
struct PvWindowInfo {
    std::uint32_t cbSize = sizeof(PvWindowInfo);
    PvRect rcWindow;
    PvRect rcClient;
    std::uint32_t dwStyle = 0;
    std::uint32_t dwExStyle = 0;
    std::uint32_t dwWindowStatus = 0;
    std::uint32_t cxWindowBorders = 0;
    std::uint32_t cyWindowBorders = 0;
    std::uint16_t atomWindowType = 0;
    std::uint16_t wCreatorVersion = 0;
};
static_assert(sizeof(PvWindowInfo) == 60, "PvWindowInfo must match WINDOWINFO");

// A window text as the program compared texts before it kept them exactly:
// its code-page form read back (records of older files hold that form).
// Worked out once per text, when first asked for.
class CCodePageForm {
public:
    const std::string& Of(const std::string& text) const;

private:
    mutable bool m_known = false;
    mutable std::string m_form;
};

// A child window kept by the enumeration (visible, enabled, non-empty text).
struct CChildWinInf {
    PvHandle hWnd = 0;
    PvWindowInfo info;
    std::string text;       // at most 511 bytes
    std::string className;  // at most 511 bytes
    std::int32_t ctrlId = 0;
    CCodePageForm textForm;  // of text
};

class CWinInf {
public:
    PvHandle hWnd = 0;
    std::string title;
    std::string exeName;  // process name, upper case; "DESKTOP" for the desktop
    std::string exePath;
    std::int32_t childrenEnumerated = 0;
    std::vector<CChildWinInf> children;
    CCodePageForm titleForm;    // of title
    CCodePageForm exeNameForm;  // of exeName

    // Fills the child list once, if the window still exists (through the
    // window system, see TackletWindow.h); later calls do nothing.
    void EnumerateChildren();

    // The first child whose class name equals `className` byte for byte and
    // whose control ID equals `ctrlId`: copied to `out`, 1; otherwise 0.
    // Does not enumerate by itself.
    int FindChild(const std::string& className, std::int32_t ctrlId, CChildWinInf* out) const;
};
