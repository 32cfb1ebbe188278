// The extension utility's paste request: a 116-byte copy-data block.
#pragma once

#include "data/PvLogFont.h"
#include "data/PvTypes.h"

#include <cstddef>
#include <cstdint>

struct CExtensionRequest {
    PvHandle target = 0;  // the desktop window asks for a desktop note
    std::int32_t x = 0;   // screen point of the note's centre
    std::int32_t y = 0;
    std::int32_t COLOR = 0;
    std::int32_t PICKPOS = 0;
    std::int32_t BKCOLOR = 0;
    std::int32_t TXCOLOR = 0;
    PvLogFont font;
    std::int32_t GRAFLG = 0;
    std::int32_t GRAPTN = 0;
};

inline constexpr std::size_t kExtensionRequestSize = 116;

enum class ExtensionParse { Ok, TooShort, WrongHeader };

// Reads the block; nothing is read past `size` bytes, and the face name is
// always terminated within its 32 bytes.
ExtensionParse ParseExtensionRequest(const void* data, std::size_t size, CExtensionRequest* out);

// How often the extension utility may ask for a note: `burst` requests at
// once, then one more each `periodMs` milliseconds. Any program of the user
// can send the request; a flood must not make notes without end.
class CRequestRate {
public:
    CRequestRate(int burst, std::uint64_t periodMs) : m_burst(burst), m_period(periodMs) {}

    // Whether a request at `nowMs` (a monotonic clock) is admitted; an
    // admitted request uses up its share.
    bool Admit(std::uint64_t nowMs);

private:
    int m_burst;
    std::uint64_t m_period;
    std::uint64_t m_due = 0;  // when the requests admitted so far are paid off
};

// The rate of the extension utility's paste requests.
inline constexpr int kExtensionPasteBurst = 10;
inline constexpr std::uint64_t kExtensionPastePeriodMs = 1000;
