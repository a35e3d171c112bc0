#pragma once
// The one-page forms of a sheet: the database sheet ("SCHEDA INFORMATIVA") and the client
// sheet ("SCHEDA ANAGRAFICA CLIENTE"). Both share one layout: a folder picture and the
// title at the top, 24 rows of a teal title box and a value box 10 mm apart from 24 mm, and
// the print time line at the foot. The builders take the texts the sheet screen shows.
#include "report/Page.h"
#include "report/PrintMoment.h"
#include "storage/Records.h"

#include <array>
#include <cstddef>

namespace report {

inline constexpr std::size_t SheetRows = 24;

struct SheetRow {
    Text title;
    Text value;
};

// The common layout, filled with a title and 24 rows whose texts are printed as given.
Page SheetPage(std::u16string_view title, const std::array<SheetRow, SheetRows>& rows, const PrintMoment& moment);

// What the database sheet screen shows: the titles of the fourteen generic fields and the
// texts of its boxes, indexed by DatabaseField (Campo01 … Web).
struct DatabaseSheetTexts {
    std::array<Text, 14> titles;
    std::array<Text, static_cast<std::size_t>(DatabaseField::Web) + 1> values;
    Text& operator[](DatabaseField field) { return values[static_cast<std::size_t>(field)]; }
    const Text& operator[](DatabaseField field) const { return values[static_cast<std::size_t>(field)]; }
};
Page DatabaseSheetPage(const DatabaseSheetTexts& texts, const PrintMoment& moment);

// What the client sheet screen shows, one text per field of the client record.
struct ClientSheetTexts {
    std::array<Text, ClientFields.size()> values;
    Text& operator[](ClientField field) { return values[static_cast<std::size_t>(field)]; }
    const Text& operator[](ClientField field) const { return values[static_cast<std::size_t>(field)]; }
};
Page ClientSheetPage(const ClientSheetTexts& texts, const PrintMoment& moment);

// The document title of both sheet pages, which a PDF of them carries.
inline constexpr std::u16string_view SheetDocumentTitle = u"Scheda informativa";

} // namespace report
