// The stored form of note bodies: hexadecimal digits, optionally scrambled
// with the volume key (text format 1).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

enum TextFormat : int {
    kTextPlain = 0,
    kTextScrambled = 1,
};

// What a note shows in place of a body that could not be read (an odd
// number of digits, or a TEXTFORMAT this program does not know).
constexpr char kUnreadableBodyNotice[] = "（この付箋の本文を読み込めませんでした。ファイルの本文はそのまま残しています）";

// Longest body stored in a file, in bytes.
constexpr std::size_t kMaxBodyBytes = 4095;

// Byte i becomes (byte + k[i mod 4] + i) mod 256, k the key's bytes with the
// least significant first; Unscramble undoes it.
void Scramble(std::string& bytes, std::uint32_t key);
void Unscramble(std::string& bytes, std::uint32_t key);

// The body cut to 4095 bytes (never inside a double-byte character),
// scrambled for format 1 and written as lower-case hexadecimal digits.
std::string EncodeBody(std::string_view body, int format, std::uint32_t key);

// The part of `body` that is stored: its first 4095 bytes at most, never
// cut inside a double-byte character.
std::string_view StoredBody(std::string_view body);
// EncodeBody's digits of a body already cut by StoredBody, written to
// `out` (two digits per byte), for a caller that has the room in place.
void EncodeStoredBody(char* out, std::string_view stored, int format, std::uint32_t key);

// Decodes a stored value: an odd number of digits gives an empty body (with
// its trace line); a character that is not a hexadecimal digit counts as 0;
// at most 4095 bytes are decoded; the decoded bytes are unscrambled for
// format 1 and the body ends at the first zero byte.
std::string DecodeBody(std::string_view digits, int format, std::uint32_t key);

// Exact bytes as hexadecimal digits, scrambled for format 1 like a body but
// neither cut nor ended at a zero byte (for values stored whole).
std::string EncodeExactBytes(std::string_view bytes, int format, std::uint32_t key);
// Undoes EncodeExactBytes; false (and `out` untouched) for an odd number of
// digits or a character that is not a hexadecimal digit.
bool DecodeExactBytes(std::string_view digits, int format, std::uint32_t key, std::string* out);

// The value of an added key: EncodeExactBytes of the exact bytes, then "-"
// and eight hexadecimal digits that check the bytes a reader gets from the
// usual key as it was written (`usualAsRead`). The check makes the reader
// independent of how a code-page form was made: any writer's best fit is
// recognised, and an edit of the usual key by another program is seen.
std::string ExactKeyValue(std::string_view exactBytes, std::string_view usualAsRead, int format, std::uint32_t key);
// Reads an added key's value. False for damaged digits. `hasCheck` tells
// whether the value carries the check (values written before it did not:
// a reader then compares the usual key with the code-page form itself).
bool ParseExactKeyValue(std::string_view value, int format, std::uint32_t key, std::string* exactBytes,
                        bool* hasCheck, std::uint32_t* check);
// The check of the bytes read from a usual key.
std::uint32_t UsualKeyCheck(std::string_view usualAsRead);

// The added key that holds a text exactly ("TITLE" -> "TITLEW").
inline std::string ExactKeyOf(std::string_view key) { return std::string(key) + "W"; }
// The bytes of a text in its added key (its UTF-8 bytes), and the text of
// such bytes; keys written before the program kept UTF-8 hold code-page
// bytes, which are no valid UTF-8 and are read as code-page bytes.
inline std::string ExactBytesOf(std::string_view text) { return std::string(text); }
std::string TextOfExactBytes(std::string_view bytes);
