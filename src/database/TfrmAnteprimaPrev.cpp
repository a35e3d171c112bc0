#include "database/TfrmAnteprimaPrev.h"

TfrmAnteprimaPrev::TfrmAnteprimaPrev(TfrmDatabase& sheet)
    : SheetPrintDialog(sheet,
                       {QStringLiteral(" Anteprima di stampa"), QStringLiteral("imgLogo02"),
                        QStringLiteral("Anteprima di stampa"),
                        {QStringLiteral("Prima della stampa è possibile visualizzare i dati che saranno stampati."),
                         QStringLiteral("Fare clic su Mostra anteprima per vedere il documento a video prima di "
                                        "stamparlo su carta.")},
                        QStringLiteral("Mostra anteprima")},
                       Output::Preview)
{
}
