// Finding input beyond the byte limit of a note's text.
#include <gtest/gtest.h>

#include <string>

#include "notewin/TextByteLimit.h"

namespace {

TEST(TextByteLimit, FindsTheInsertedPartBeyondTheLimit) {
    const std::string a8(8, 'a');
    const struct {
        const char* what;
        std::string before, after;
        std::size_t limit;
        std::optional<TextSpan> overflow;
    } cases[] = {
        {"fits", a8, a8 + "bc", 10, std::nullopt},
        {"typed at the end", a8, a8 + "bcd", 10, TextSpan{10, 11}},
        // "あ" and "い": three bytes of UTF-8 each, two in the code page.
        {"double-byte never split", a8 + "a", a8 + "aあい", 10, TextSpan{9, 15}},
        {"double-byte partly kept", a8, a8 + "あい", 10, TextSpan{11, 14}},
        {"inserted in the middle", "abcdefgh", "abcXYZWdefgh", 10, TextSpan{5, 7}},
        {"inserted before an equal character", "あ", "いあ", 2, TextSpan{0, 3}},
        {"counted in the code page", "", "ｱｲｳｴｵ", 4, TextSpan{12, 15}},
        {"a selection replaced", "abcdefghij", "abXYZWghij", 8, std::nullopt},
        {"replaced by more", "abcdefgh", "abXYZWVUgh", 8, TextSpan{6, 8}},
        {"shrinking text is left alone", std::string(12, 'x'), std::string(11, 'x'), 10, std::nullopt},
        {"text already over the limit accepts nothing", std::string(12, 'x'), std::string(13, 'x'), 10,
         TextSpan{12, 13}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindTextOverflow(c.before, c.after, c.limit), c.overflow) << c.what;
    }
}

}  // namespace
