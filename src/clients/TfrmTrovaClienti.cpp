#include "clients/TfrmTrovaClienti.h"

#include "clients/ClientLists.h"
#include "kit/Maker.h"
#include "kit/TextRules.h"

namespace {

// Rows of two, then Questioni and Note each on a row of its own, twice as wide; in the order
// of the Enter chain and of ClientLists::SearchFields.
std::vector<CriterionBox> Boxes()
{
    static constexpr CriterionName boxes[] = {
        {"txtCliente", "lblCampo01", u"Cognome e nome Cliente:"},
        {"txtComuneRes", "lblCampo02", u"Comune di residenza:"},
        {"txtPartitaIva", "lblCampo03", u"Partita IVA:"},
        {"txtCodFisc", "lblCampo04", u"Codice fiscale:"},
        {"txtDocumento", "lblCampo05", u"Estremi documento:"},
        {"txtOccupazione", "lblCampo06", u"Occupazione:"},
        {"txtProdotti", "lblCampo07", u"Prodotti e servizi di interesse:"},
        {"txtZona", "lblCampo08", u"Zona di appartenenza:"},
        {"txtQuestioni", "lblCampo09", u"Questioni in sospeso:"},
        {"txtNote", "lblCampo10", u"Note:"},
    };
    static_assert(std::size(boxes) == ClientLists::SearchFields.size());
    return CriteriaInTwoColumns(boxes, 66, 8);
}

} // namespace

TfrmTrovaClienti::TfrmTrovaClienti(SheetScreen& served, SheetTools::ClientPicked picked)
    : SearchTool(served, QStringLiteral(" Trova Clienti in archivio"), SharedFindText(),
                 Pictures::Header(QSize(862, 70), Pictures::Icon::Clients, Maker::BrandBlue,
                                  QStringLiteral("Trova Clienti in archivio"),
                                  {QStringLiteral("I Clienti che rispondono ai criteri di ricerca.")}),
                 Pictures::Icon::Clients, ClientLists::Search, Boxes(), Widgets::DesignFont(QStringLiteral("Verdana"), 12))
{
    SetPrintTitle(QStringLiteral("Riepilogo Clienti"));
    m_picked = std::move(picked);
}

Text& TfrmTrovaClienti::SharedFindText()
{
    static Text findText;
    return findText;
}

void TfrmTrovaClienti::OpenLine(std::u16string_view line)
{
    const auto found = ClientLists::FindClient(ClientLists::SearchLine, line);
    if (!found)
        return;
    m_picked(found->record, found->position);
}
