#include "checkers/TfrmIban.h"

#include "kit/TextRules.h"
#include "checkers/NumberChecks.h"

#include <QLineEdit>

TfrmIban::TfrmIban(QWidget* opener, const QString& text)
    : CheckerDialog(opener, {QStringLiteral(" Controllo IBAN"), QSize(608, 270), QStringLiteral("Controllo IBAN"),
                             QStringLiteral("checkers/bank"),
                             QStringLiteral("Immettere l'IBAN e premere il pulsante di controllo."),
                             QStringLiteral("txtIban"), 27, BoxKind::CodeAlsoOnKeyRelease})
{
    Prefill(text);
}

void TfrmIban::btnControllaClick()
{
    const QString iban = TrimText(Box()->text());
    if (iban.size() != 27) {
        AskAgain(QStringLiteral("Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici."));
        return;
    }
    if (IbanValid(iban.toStdU16String()))
        Conclude(MessageKind::Information, QStringLiteral("L'IBAN digitato è VALIDO."));
    else
        Conclude(MessageKind::Warning, QStringLiteral("Attenzione: l'IBAN digitato è ERRATO!"));
}
