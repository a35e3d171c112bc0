#include "report/SheetPages.h"

#include <cstdio>

namespace report {

namespace {

std::string Numbered(const char* prefix, std::size_t number)
{
    char name[32];
    std::snprintf(name, sizeof name, "%s%02zu", prefix, number);
    return name;
}

} // namespace

Page SheetPage(std::u16string_view title, const std::array<SheetRow, SheetRows>& rows, const PrintMoment& moment)
{
    Page page;
    page.name = ToUtf8(SheetDocumentTitle);
    page.paper = {Orientation::Portrait, 10};
    page.elements.push_back(Picture{"imgLogo", {3, 3, 17, 13}, PictureKind::Folder});
    page.elements.push_back(
        TextBox{"txtTitolo", {23, 3, 165, 9}, {"Arial", 16, false}, White, DarkOrange, Align::Centre, Text(title)});
    page.elements.push_back(Line{"linSepara01", 23, 16, 165});
    for (std::size_t row = 0; row < SheetRows; ++row) {
        const double top = 24 + 10.0 * static_cast<double>(row);
        page.elements.push_back(TextBox{Numbered("titCampo", row + 1), {3, top, 52, 6}, {"Arial", 9, false}, White,
                                        Teal, Align::Left, rows[row].title});
        page.elements.push_back(TextBox{Numbered("txtCampo", row + 1), {60, top, 128, 6}, {"Arial", 10, false},
                                        Black, std::nullopt, Align::Left, rows[row].value});
    }
    page.elements.push_back(Line{"linSepara02", 3, 265, 185});
    page.elements.push_back(TextBox{"txtCalce", {3, 269, 185, 6}, {"Arial", 10, false}, White, DarkOrange,
                                    Align::Centre, PrintTimeLine(moment)});
    return page;
}

Page DatabaseSheetPage(const DatabaseSheetTexts& texts, const PrintMoment& moment)
{
    static constexpr std::array<std::u16string_view, 10> ContactTitles = {
        u"Cognome e nome:",         u"Via e numero civico:", u"Comune di residenza:",
        u"Provincia:",              u"E-mail:",              u"Recapito preferenziale:",
        u"Codice fiscale:",         u"Partita IVA:",         u"Filtri ricerca con Google:",
        u"Sito Internet:",
    };
    // Rows 15 to 24 follow the record's order: Cliente, IndirizzoRes, ComuneRes, ProvRes,
    // Email, Recapito, CodFisc, PartitaIva, Google, Web.
    static_assert(static_cast<int>(DatabaseField::Cliente) == 14 && static_cast<int>(DatabaseField::Web) == 23);
    std::array<SheetRow, SheetRows> rows;
    for (std::size_t row = 0; row < SheetRows; ++row) {
        rows[row].title = row < 14 ? Trim(texts.titles[row]) : Text(ContactTitles[row - 14]);
        rows[row].value = Trim(texts.values[row]);
    }
    return SheetPage(u"SCHEDA INFORMATIVA", rows, moment);
}

Page ClientSheetPage(const ClientSheetTexts& texts, const PrintMoment& moment)
{
    const auto v = [&](ClientField field) { return Trim(texts[field]); };
    using F = ClientField;
    const std::array<SheetRow, SheetRows> rows = {{
        {u"Cognome e nome:", v(F::Cliente)},
        {u"Data di nascita:", v(F::DataNasc)},
        {u"Comune di nascita:", v(F::ComuneNasc) + u' ' + v(F::ProvNasc)},
        {u"Sesso:", v(F::Sesso)},
        {u"Recapito preferenziale:", v(F::Recapito)},
        {u"Indirizzo di residenza:", v(F::IndirizzoRes)},
        {u"Comune di residenza:", v(F::ComuneRes) + u' ' + v(F::ProvRes)},
        {u"Modalit\u00E0 pagamento:", v(F::Estremi)},
        {u"Tel. casa:", v(F::TelCasa)},
        {u"Tel. ufficio:", v(F::TelUff)},
        {u"Tel. cellulare:", v(F::TelCel)},
        {u"Fax:", v(F::Fax)},
        {u"E-mail:", v(F::Email)},
        {u"Codice fiscale:", v(F::CodFisc)},
        {u"Partita IVA:", v(F::PartitaIva)},
        {u"Carta di credito:", u"N. " + v(F::Carta) + u"  -  Scadenza: " + v(F::ScadeCarta)},
        {u"IBAN:", v(F::Iban)},
        {u"Estremi documento:", v(F::Documento)},
        {u"Occupazione:", v(F::Occupazione)},
        {u"Titoli e qualifiche:", v(F::Titoli)},
        {u"Prodotti e servizi:", v(F::Prodotti)},
        {u"Zona di appartenenza:", v(F::Zona)},
        {u"Questioni in sospeso:", v(F::Questioni)},
        {u"Note:", v(F::Note)},
    }};
    return SheetPage(u"SCHEDA ANAGRAFICA CLIENTE", rows, moment);
}

} // namespace report
