#pragma once
// The scrambling of the stored password: a byte-wise XOR stream whose 16-bit key advances
// with each scrambled byte; the result is written as upper-case hexadecimal digits.
#include "storage/FileError.h"
#include "storage/Text.h"

#include <cstdint>
#include <string_view>

inline constexpr uint16_t CryptStartKey = 7193;
inline constexpr uint16_t CryptMultiplier = 40503;
inline constexpr uint16_t CryptIncrement = 28411;

// Two upper-case hexadecimal digits per character; each character counts by its low byte.
Text CryptEncode(std::u16string_view plain);
// The inverse; a trailing odd digit is ignored, either letter case is accepted, and a digit
// pair that is not hexadecimal throws FileFailure, whose reason says where.
Text CryptDecode(std::u16string_view hex);
