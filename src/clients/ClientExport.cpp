#include "clients/ClientExport.h"

namespace {

using F = ClientField;

ExportDescription MakeClientExport()
{
    ExportDescription export_;
    export_.records = ClientLayout;
    export_.sheetName = u"Riepilogo Clienti";
    export_.exportFile = "Clienti.xls";

    struct Column {
        const char* name;
        std::u16string_view gridTitle;
        int gridWidth;
        bool editable;
        std::initializer_list<F> fields;
        std::u16string_view fileTitle;
        int fileWidth;
    };
    const Column columns[] = {
        {"colCliente", u"Cognome e nome Cliente", 250, false, {F::Cliente}, u"Cognome e nome Cliente", 250},
        {"colDataNasc", u"Data di nascita", 120, false, {F::DataNasc}, u"Data di nascita", 200},
        {"colComuneNasc", u"Comune / Stato estero di nascita", 250, false, {F::ComuneNasc, F::ProvNasc},
         u"Comune di nascita", 250},
        {"colRecapito", u"Recapito preferenziale", 200, false, {F::Recapito}, u"Recapito preferenziale", 250},
        {"colIndirizzoRes", u"Indirizzo di residenza", 250, false, {F::IndirizzoRes}, u"Indirizzo di residenza", 300},
        {"colComuneRes", u"Comune di residenza", 250, true, {F::ComuneRes, F::ProvRes}, u"Comune di residenza", 250},
        {"colEstremi", u"Modalità di pagamento", 250, false, {F::Estremi}, u"Modalità di pagamento", 250},
        {"colTelCasa", u"Tel. casa", 200, false, {F::TelCasa}, u"Tel. casa", 250},
        {"colTelUff", u"Tel. ufficio", 200, false, {F::TelUff}, u"Tel. ufficio", 250},
        {"colTelCel", u"Tel. cellulare", 200, false, {F::TelCel}, u"Tel. cellulare", 250},
        {"colFax", u"Fax", 200, false, {F::Fax}, u"Fax", 250},
        {"colEmail", u"E-mail", 250, false, {F::Email}, u"E-mail", 250},
        {"colCodFisc", u"Codice fiscale", 150, false, {F::CodFisc}, u"Codice fiscale", 250},
        {"colPartitaIva", u"Partita IVA", 150, true, {F::PartitaIva}, u"Partita IVA", 250},
        {"colCarta", u"Carta di credito n.", 250, false, {F::Carta}, u"Carta di credito n.", 300},
        {"colScadeCarta", u"Scadenza", 160, true, {F::ScadeCarta}, u"Scadenza", 150},
        {"colIban", u"IBAN", 250, true, {F::Iban}, u"IBAN", 300},
        {"colDocumento", u"Estremi documento", 280, true, {F::Documento}, u"Estremi documento", 280},
        {"colOccupazione", u"Occupazione", 250, true, {F::Occupazione}, u"Occupazione", 250},
        {"colCivile", u"Stato civile", 250, false, {F::Civile}, u"Stato civile", 250},
        {"colTitoli", u"Titoli e qualifiche", 280, true, {F::Titoli}, u"Titoli e qualifiche", 280},
        {"colProdotti", u"Prodotti e servizi di interesse", 300, false, {F::Prodotti},
         u"Prodotti e servizi di interesse", 300},
        {"colZona", u"Zona di appartenenza", 250, false, {F::Zona}, u"Zona di appartenenza", 250},
        {"colQuestioni", u"Questioni in sospeso", 300, true, {F::Questioni}, u"Questioni in sospeso", 300},
        {"colNote", u"Note", 350, true, {F::Note}, u"Note", 300},
    };
    for (const Column& column : columns) {
        export_.grid.push_back(
            GridColumnOf<ClientLayout>(column.name, column.gridTitle, column.gridWidth, column.editable, column.fields));
        export_.file.push_back({Text(column.fileTitle), column.fileWidth, column.name});
    }
    return export_;
}

} // namespace

const ExportDescription& ClientExport()
{
    static const ExportDescription description = MakeClientExport();
    return description;
}
