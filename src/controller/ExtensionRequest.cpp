#include "controller/ExtensionRequest.h"

#include <cstring>
#include <string_view>

#include "data/CodePage.h"

namespace {
std::int32_t ReadInt32(const unsigned char* p, std::size_t offset) {
    std::int32_t v;
    std::memcpy(&v, p + offset, sizeof v);
    return v;
}
}  // namespace

ExtensionParse ParseExtensionRequest(const void* data, std::size_t size, CExtensionRequest* out) {
    if (!data || size < kExtensionRequestSize) return ExtensionParse::TooShort;
    const auto* p = static_cast<const unsigned char*>(data);
    if (ReadInt32(p, 0) != 1 || ReadInt32(p, 4) != 1) return ExtensionParse::WrongHeader;
    std::uint64_t handle;
    std::memcpy(&handle, p + 16, sizeof handle);
    out->target = static_cast<PvHandle>(handle);
    out->x = ReadInt32(p, 24);
    out->y = ReadInt32(p, 28);
    out->COLOR = ReadInt32(p, 32);
    out->PICKPOS = ReadInt32(p, 36);
    out->BKCOLOR = ReadInt32(p, 40);
    out->TXCOLOR = ReadInt32(p, 44);
    // A LOGFONTW at 48: five 32-bit numbers, eight bytes, a face name of 32
    // code-page bytes.
    PvLogFont& f = out->font;
    f = PvLogFont{};
    f.lfHeight = ReadInt32(p, 48);
    f.lfWidth = ReadInt32(p, 52);
    f.lfEscapement = ReadInt32(p, 56);
    f.lfOrientation = ReadInt32(p, 60);
    f.lfWeight = ReadInt32(p, 64);
    f.lfItalic = p[68];
    f.lfUnderline = p[69];
    f.lfStrikeOut = p[70];
    f.lfCharSet = p[71];
    f.lfOutPrecision = p[72];
    f.lfClipPrecision = p[73];
    f.lfQuality = p[74];
    f.lfPitchAndFamily = p[75];
    const char* face = reinterpret_cast<const char*>(p + 76);
    SetFaceName(f, TextOfCodePage(std::string_view(face, strnlen(face, 31))));
    out->GRAFLG = ReadInt32(p, 108);
    out->GRAPTN = ReadInt32(p, 112);
    return ExtensionParse::Ok;
}

bool CRequestRate::Admit(std::uint64_t nowMs) {
    const std::uint64_t due = m_due > nowMs ? m_due : nowMs;
    if (m_burst <= 0 || due - nowMs > static_cast<std::uint64_t>(m_burst - 1) * m_period) return false;
    m_due = due + m_period;
    return true;
}
