#include "database/DatabaseExport.h"

namespace {

using F = DatabaseField;

ExportGridColumn Grid(const char* name, std::u16string_view title, int width, bool editable, F field)
{
    return GridColumnOf<DatabaseLayout>(name, title, width, editable, {field});
}

ExportDescription MakeDatabaseExport()
{
    ExportDescription export_;
    export_.records = DatabaseLayout;
    export_.sheetName = u"Riepilogo Schede Database";
    export_.exportFile = "Database.xls";

    for (int i = 1; i <= 14; ++i) {
        const std::string digits = std::to_string(i);
        const std::string number = (i < 10 ? "0" : "") + digits;
        const Text title = u"Campo " + Text(digits.begin(), digits.end());
        export_.grid.push_back({"colCampo" + number, title, 250, true,
                                {TSchedaDatabase::FieldSpecOf(static_cast<F>(static_cast<int>(F::Campo01) + i - 1))}});
        export_.file.push_back({title, 250, "colCampo" + number});
    }
    export_.grid.push_back(Grid("colCliente", u"Cognome e nome", 250, false, F::Cliente));
    export_.grid.push_back(Grid("colIndirizzoRes", u"Via e numero civico", 250, false, F::IndirizzoRes));
    export_.grid.push_back(Grid("colComuneRes", u"Comune di residenza", 250, true, F::ComuneRes));
    export_.grid.push_back(Grid("colProvRes", u"Prov.", 120, true, F::ProvRes));
    export_.grid.push_back(Grid("colRecapito", u"Recapito preferenziale", 200, false, F::Recapito));
    export_.grid.push_back(Grid("colEmail", u"E-mail", 250, false, F::Email));
    export_.grid.push_back(Grid("colCodFisc", u"Codice fiscale", 150, false, F::CodFisc));
    export_.grid.push_back(Grid("colPartitaIva", u"Partita IVA", 150, true, F::PartitaIva));
    export_.grid.push_back(Grid("colGoogle", u"Filtri ricerca con Google", 250, true, F::Google));
    export_.grid.push_back(Grid("colWeb", u"Sito Internet", 250, true, F::Web));
    export_.grid.push_back(Grid("colSegnala", u"Segnalato", 120, true, F::Segnala));

    export_.file.push_back({u"Cognome e nome", 250, "colCliente"});
    export_.file.push_back({u"Via e numero civico", 250, "colIndirizzoRes"});
    export_.file.push_back({u"Comune di residenza", 250, "colComuneRes"});
    export_.file.push_back({u"Prov", 150, "colProvRes"});
    export_.file.push_back({u"E-mail", 250, "colEmail"});
    export_.file.push_back({u"Recapito preferenziale", 250, "colRecapito"});
    export_.file.push_back({u"Codice fiscale", 250, "colCodFisc"});
    export_.file.push_back({u"Partita IVA", 250, "colPartitaIva"});
    export_.file.push_back({u"Filtri ricerca con Google", 250, "colGoogle"});
    export_.file.push_back({u"Sito Internet", 250, "colWeb"});
    export_.file.push_back({u"Segnalato", 150, "colSegnala"});
    return export_;
}

} // namespace

const ExportDescription& DatabaseExport()
{
    static const ExportDescription description = MakeDatabaseExport();
    return description;
}
