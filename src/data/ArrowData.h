// Leader-line block of a note record.
#pragma once

#include <cstdint>

struct CArrowData {
    // A start x of -200 means the start point has not been placed yet.
    static constexpr std::int32_t kUnplaced = -200;

    std::int32_t ARWFLAG = 0;  // 1: leader line shown
    std::int32_t ARWSATRTX = kUnplaced;
    std::int32_t ARWSTARTY = kUnplaced;
    std::int32_t ARWENDX = 0;
    std::int32_t ARWENDY = 0;

    bool operator==(const CArrowData&) const = default;
};
