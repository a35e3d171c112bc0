#include "database/TfrmTrovaDatabase.h"

#include "kit/Maker.h"
#include "kit/TextRules.h"
#include "database/DatabaseLists.h"
#include "database/SheetOfLine.h"
#include "storage/ArchiveSettings.h"

#include <QLabel>

namespace {

constexpr std::size_t SettingsTitles = 6; // the first six boxes, Campo01 to Campo06

// Two columns of five, in the order of the Enter chain and of DatabaseLists::SearchFields.
std::vector<CriterionBox> Boxes()
{
    static constexpr CriterionName boxes[] = {
        {"txtCampo01", "titCampo01", u"Campo 1:"},          {"txtCampo02", "titCampo02", u"Campo 2:"},
        {"txtCampo03", "titCampo03", u"Campo 3:"},          {"txtCampo04", "titCampo04", u"Campo 4:"},
        {"txtCampo05", "titCampo05", u"Campo 5:"},          {"txtCampo06", "titCampo06", u"Campo 6:"},
        {"txtCliente", "lblCliente", u"Cognome e nome:"},   {"txtComuneRes", "lblComuneRes", u"Comune di residenza:"},
        {"txtCodFisc", "lblCodFisc", u"Codice fiscale:"},   {"txtPartitaIva", "lblPartitaIva", u"Partita IVA:"},
    };
    static_assert(std::size(boxes) == DatabaseLists::SearchFields.size());
    return CriteriaInTwoColumns(boxes, 76, std::size(boxes));
}

} // namespace

TfrmTrovaDatabase::TfrmTrovaDatabase(SheetScreen& served)
    : SearchTool(served, QStringLiteral(" Trova schede in archivio"), SharedFindText(),
                 Pictures::Header(QSize(862, 70), Pictures::Icon::Database, Maker::BrandBlue,
                                  QStringLiteral("Trova schede in archivio"),
                                  {QStringLiteral("Le schede che rispondono ai criteri di ricerca.")}),
                 Pictures::Icon::Database, DatabaseLists::Search, Boxes(), Widgets::DesignFont(QStringLiteral("Verdana"), 10, true))
{
    SetPrintTitle(QStringLiteral("Riepilogo Schede"));
}

Text& TfrmTrovaDatabase::SharedFindText()
{
    static Text findText;
    return findText;
}

void TfrmTrovaDatabase::FormShow()
{
    const FieldTitles titles = ReadFieldTitles(LoadSettings()); // one reading per showing
    for (std::size_t i = 0; i < SettingsTitles; ++i)
        Title(i)->setText(ToQString(titles[i]));
    SearchTool::FormShow();
}

void TfrmTrovaDatabase::OpenLine(std::u16string_view line)
{
    ShowSheetOfLine(Served(), line);
}
