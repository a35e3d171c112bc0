#include "database/TfrmStampaDatabase.h"

TfrmStampaDatabase::TfrmStampaDatabase(TfrmDatabase& sheet)
    : SheetPrintDialog(sheet,
                       {QStringLiteral(" Stampa scheda"), QStringLiteral("icoFaldoni"), QStringLiteral("Stampa scheda"),
                        {QStringLiteral("La scheda corrente sarà stampata su carta con i dati immessi."),
                         QStringLiteral("Premere Stampa per avviare la stampa o Annulla per rinunciare.")},
                        QStringLiteral("Stampa")},
                       Output::Printer)
{
}
