#include "checkers/TfrmCodFisc.h"

#include "kit/TextRules.h"
#include "checkers/NumberChecks.h"
#include "checkers/TfrmPartitaIva.h"

#include <QLineEdit>

TfrmCodFisc::TfrmCodFisc(QWidget* opener, const QString& text)
    : CheckerDialog(opener, {QStringLiteral(" Controllo codice fiscale"), QSize(478, 254),
                             QStringLiteral("Controllo codice fiscale"), QStringLiteral("checkers/card"),
                             QStringLiteral("Immettere il codice fiscale e premere il pulsante di controllo."),
                             QStringLiteral("txtCodFisc"), 16, BoxKind::CodeAlsoOnKeyRelease})
{
    Prefill(text);
}

void TfrmCodFisc::OpenFromSheet(QWidget* opener, const QString& fieldText)
{
    const QString text = TrimText(fieldText);
    if (IsDigitsOnly(text.toStdU16String()))
        OpenTool<TfrmPartitaIva>(opener, text);
    else
        OpenTool<TfrmCodFisc>(opener, text);
}

void TfrmCodFisc::btnControllaClick()
{
    const QString code = UpperAZ(Box()->text());
    if (code.size() != 16) {
        AskAgain(QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici."));
        return;
    }
    if (FiscalCodeValid(code.toStdU16String()))
        Conclude(MessageKind::Information, QStringLiteral("Il codice fiscale digitato è VALIDO."));
    else
        Conclude(MessageKind::Warning, QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO."));
}
