// Writes src/storage/UnicodeTables.inc from the ICU of the system it runs on: the
// compatibility decompositions that leave one character besides combining marks, and the
// full default case folding. Run it again when the program moves to a newer ICU:
//     velorbis_unicode_tables > src/storage/UnicodeTables.inc
// (tst_unicodetables then checks the tables against that ICU).
#include "storage/Unicode.h"

#include <unicode/uchar.h>
#include <unicode/uversion.h>
#include <unicode/unistr.h>

#include <cstdio>

int main()
{
    std::printf("// Made by tools/unicode/make_unicode_tables.cpp from ICU %s (Unicode %s); do not edit.\n",
                U_ICU_VERSION, U_UNICODE_VERSION);
    std::printf("// Code points whose compatibility decomposition leaves one character besides combining marks.\n");
    std::printf("constexpr Decomposition Decompositions[] = {\n");
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (unicode::IsSurrogate(c))
            continue;
        if (const char32_t base = unicode::DecompositionBase(c))
            std::printf("    {0x%04X, 0x%04X},\n", unsigned(c), unsigned(base));
    }
    std::printf("};\n\n// Code points whose full default case folding differs from them.\n");
    std::printf("constexpr Folding Foldings[] = {\n");
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (unicode::IsSurrogate(c))
            continue;
        icu::UnicodeString folded(static_cast<UChar32>(c));
        folded.foldCase(U_FOLD_CASE_DEFAULT);
        if (folded == icu::UnicodeString(static_cast<UChar32>(c)))
            continue;
        unsigned parts[3] = {0, 0, 0};
        int count = 0;
        for (int32_t i = 0; i < folded.length(); i = folded.moveIndex32(i, 1)) {
            if (count == 3)
                return 1; // no folding is longer
            parts[count++] = static_cast<unsigned>(folded.char32At(i));
        }
        std::printf("    {0x%04X, {0x%04X, 0x%04X, 0x%04X}},\n", unsigned(c), parts[0], parts[1], parts[2]);
    }
    std::printf("};\n");
    return 0;
}
