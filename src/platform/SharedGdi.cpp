#include "platform/SharedGdi.h"

#include <cstring>
#include <map>
#include <string>

namespace {

template <class Handle>
struct Shared {
    Handle handle = nullptr;
    int users = 0;
};

// The shared objects by value. Function-local so that they exist before any
// holder of static storage uses them.
std::map<COLORREF, Shared<HBRUSH>>& Brushes() {
    static std::map<COLORREF, Shared<HBRUSH>> brushes;
    return brushes;
}

// Font descriptions compare by their bytes, with the face name cut at its
// terminator so that what lies beyond it does not count.
std::map<std::string, Shared<HFONT>>& Fonts() {
    static std::map<std::string, Shared<HFONT>> fonts;
    return fonts;
}

int g_live = 0;
long g_created = 0;

std::string KeyOf(const LOGFONTW& font) {
    LOGFONTW clean{};
    std::memcpy(&clean, &font, offsetof(LOGFONTW, lfFaceName));
    for (int i = 0; i < LF_FACESIZE - 1 && font.lfFaceName[i]; ++i) clean.lfFaceName[i] = font.lfFaceName[i];
    return std::string(reinterpret_cast<const char*>(&clean), sizeof clean);
}

}  // namespace

void CSharedBrush::Set(COLORREF color) {
    if (m_brush && m_color == color) return;
    Shared<HBRUSH>& entry = Brushes()[color];
    if (!entry.handle) {
        entry.handle = ::CreateSolidBrush(color);
        if (!entry.handle) {
            Brushes().erase(color);
            Reset();
            return;
        }
        ++g_live;
        ++g_created;
    }
    ++entry.users;
    Reset();
    m_brush = entry.handle;
    m_color = color;
}

void CSharedBrush::Reset() {
    if (!m_brush) return;
    auto it = Brushes().find(m_color);
    m_brush = nullptr;
    if (it == Brushes().end() || --it->second.users > 0) return;
    ::DeleteObject(it->second.handle);
    --g_live;
    Brushes().erase(it);
}

bool CSharedFont::Set(const LOGFONTW& font) {
    const std::string key = KeyOf(font);
    auto& fonts = Fonts();
    auto it = fonts.find(key);
    if (it == fonts.end()) {
        HFONT created = ::CreateFontIndirectW(&font);
        if (!created) {
            Reset();
            return false;
        }
        ++g_live;
        ++g_created;
        it = fonts.emplace(key, Shared<HFONT>{created, 0}).first;
    }
    if (m_font == it->second.handle) return true;
    ++it->second.users;
    Reset();
    m_font = it->second.handle;
    return true;
}

void CSharedFont::Reset() {
    if (!m_font) return;
    auto& fonts = Fonts();
    for (auto it = fonts.begin(); it != fonts.end(); ++it) {
        if (it->second.handle != m_font) continue;
        m_font = nullptr;
        if (--it->second.users > 0) return;
        ::DeleteObject(it->second.handle);
        --g_live;
        fonts.erase(it);
        return;
    }
    m_font = nullptr;
}

namespace SharedGdi {
int LiveObjects() { return g_live; }
long CreatedObjects() { return g_created; }
}  // namespace SharedGdi
