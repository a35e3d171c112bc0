#pragma once
// How the database sheets appear in the search and in the flagged sheets list.
#include "archive/ResultLines.h"
#include "archive/SheetSearch.h"
#include "storage/Records.h"

#include <array>
#include <optional>
#include <string_view>

namespace DatabaseLists {

using F = DatabaseField;

// Campo01, Campo02 and Campo03 in columns of 26 with two blanks between the first three,
// Cliente run straight into Campo03, then the telephone and the fiscal code: 153 characters.
inline constexpr LinePiece Line[] = {
    Column<DatabaseLayout>(F::Campo01, 26), Fixed(u"  "),
    Column<DatabaseLayout>(F::Campo02, 26), Fixed(u"  "),
    Column<DatabaseLayout>(F::Campo03, 26),
    Column<DatabaseLayout>(F::Cliente, 26),
    Fixed(u"  Tel. "), Column<DatabaseLayout>(F::Recapito, 15),
    Fixed(u"  C.F. "), Column<DatabaseLayout>(F::CodFisc, 16),
};
inline constexpr std::size_t LineLength = 153;
static_assert(MaxLineLength(Line) == LineLength);

// The fields of the ten search criteria, in the order of the criteria boxes.
inline constexpr std::array<FieldSpec, 10> SearchFields = {
    DatabaseLayout.At(F::Campo01), DatabaseLayout.At(F::Campo02), DatabaseLayout.At(F::Campo03),
    DatabaseLayout.At(F::Campo04), DatabaseLayout.At(F::Campo05), DatabaseLayout.At(F::Campo06),
    DatabaseLayout.At(F::Cliente), DatabaseLayout.At(F::ComuneRes), DatabaseLayout.At(F::CodFisc),
    DatabaseLayout.At(F::PartitaIva),
};

// The database search: ten criteria boxes over Database.pro, the sheets found shown in Line.
inline constexpr SearchDescription Search{DatabaseLayout, SearchFields, Line};

// Adds the lines of the flagged sheets (Segnala, trimmed, is "Sì") to `into`, in list
// order. Throws FileFailure, leaving in `into` the lines read before the failure.
void ListFlagged(ResultLines& into, Progress& progress = Unwatched());

// The last sheet of the file, flagged or not, whose line is `line`. Throws FileFailure.
std::optional<FoundRecord<DatabaseLayout>> FindSheet(std::u16string_view line);

} // namespace DatabaseLists
