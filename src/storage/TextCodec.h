#pragma once
// The text field of the record files: a length byte L followed by `width` bytes of which
// the first L are the text in Windows-1252; the bytes after the text are not significant.
#include "storage/Text.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Writes the 1 + width bytes of the field: the trimmed text converted to Windows-1252
// (best fit), cut to width bytes (a cut never leaves trailing blanks), the length byte,
// and zeros after the text.
void EncodeText(std::u16string_view text, std::size_t width, uint8_t* field);

// Reads the field: a length byte above width counts as width; the text is trimmed.
Text DecodeText(const uint8_t* field, std::size_t width);
// The same without the trim (the searches match against this).
Text DecodeTextUntrimmed(const uint8_t* field, std::size_t width);
// DecodeTextUntrimmed into a caller's buffer, so a scan can reuse one allocation.
void DecodeTextUntrimmedInto(const uint8_t* field, std::size_t width, Text& out);
