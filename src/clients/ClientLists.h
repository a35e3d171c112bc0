#pragma once
// How the clients appear in the client search and in the list of clients to recontact.
#include "archive/ResultLines.h"
#include "archive/SheetSearch.h"
#include "storage/Records.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace ClientLists {

using F = ClientField;

// Cliente, Recapito, Occupazione and Prodotti in columns of 26, 15, 25 and 30 with the fixed
// texts between them, then the last field trimmed and whole: lines differ in length.
template <F Last>
inline constexpr LinePiece LineEndingWith[] = {
    Column<ClientLayout>(F::Cliente, 26),     Fixed(u"  Tel. "),
    Column<ClientLayout>(F::Recapito, 15),    Fixed(u"  "),
    Column<ClientLayout>(F::Occupazione, 25), Fixed(u"  Prod. "),
    Column<ClientLayout>(F::Prodotti, 30),    Fixed(u"  "),
    Whole<ClientLayout>(Last),
};
// The client search's line ends with Note, the recontact list's with Questioni.
inline constexpr LineFormat SearchLine = LineEndingWith<F::Note>;
inline constexpr LineFormat RecontactLine = LineEndingWith<F::Questioni>;
// The characters before the last field.
inline constexpr std::size_t FixedPartLength = 115;
static_assert(MaxLineLength(LineEndingWith<F::Note>) == FixedPartLength + 250);

// The fields of the ten search criteria, in the order of the criteria boxes.
inline constexpr std::array<FieldSpec, 10> SearchFields = {
    ClientLayout.At(F::Cliente),     ClientLayout.At(F::ComuneRes),   ClientLayout.At(F::PartitaIva),
    ClientLayout.At(F::CodFisc),     ClientLayout.At(F::Documento),   ClientLayout.At(F::Occupazione),
    ClientLayout.At(F::Prodotti),    ClientLayout.At(F::Zona),        ClientLayout.At(F::Questioni),
    ClientLayout.At(F::Note),
};

// The client search: ten criteria boxes over Clienti.pro, the clients found shown in SearchLine.
inline constexpr SearchDescription Search{ClientLayout, SearchFields, SearchLine};

// Adds the recontact lines of the clients to recontact (Ricontatta, trimmed, is exactly "Sì")
// to `into`, in list order. Throws FileFailure, leaving in `into` the lines read before.
void ListToRecontact(ResultLines& into, Progress& progress = Unwatched());

// The last client of the file, marked or not, whose line in `format` is `line`.
// Throws FileFailure.
std::optional<FoundRecord<ClientLayout>> FindClient(LineFormat format, std::u16string_view line);

} // namespace ClientLists
