#include "data/WinInf.h"

#include "data/CodePage.h"

#include "data/TackletWindow.h"

void CWinInf::EnumerateChildren() {
    if (childrenEnumerated != 0) return;
    IWindowSystem* system = TackletWindowSystem();
    if (system == nullptr || !system->IsWindow(hWnd)) return;
    system->EnumerateChildWindows(hWnd, &children);
    childrenEnumerated = 1;
}

const std::string& CCodePageForm::Of(const std::string& text) const {
    if (!m_known) {
        m_form = TextOfCodePage(CodePageOf(text));
        m_known = true;
    }
    return m_form;
}

int CWinInf::FindChild(const std::string& className, std::int32_t ctrlId, CChildWinInf* out) const {
    for (const CChildWinInf& child : children) {
        if (child.className == className && child.ctrlId == ctrlId) {
            if (out != nullptr) *out = child;
            return 1;
        }
    }
    return 0;
}
