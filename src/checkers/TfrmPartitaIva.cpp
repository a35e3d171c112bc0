#include "checkers/TfrmPartitaIva.h"

#include "kit/TextRules.h"
#include "checkers/NumberChecks.h"

#include <QLineEdit>

TfrmPartitaIva::TfrmPartitaIva(QWidget* opener, const QString& text)
    : CheckerDialog(opener, {QStringLiteral(" Controllo partita IVA"), QSize(480, 254),
                             QStringLiteral("Controllo partita IVA"), QStringLiteral("checkers/receipt"),
                             QStringLiteral("Immettere il numero di partita IVA e premere il pulsante di controllo."),
                             QStringLiteral("txtPartitaIva"), 11, BoxKind::DigitsOnly})
{
    Prefill(text);
}

void TfrmPartitaIva::btnControllaClick()
{
    const QString number = UpperAZ(Box()->text());
    if (number.size() != 11) {
        AskAgain(QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici."));
        return;
    }
    const bool valid = VatNumberValid(number.toStdU16String());
    Conclude(valid ? MessageKind::Information : MessageKind::Warning, VerdictText(number));
}

QString TfrmPartitaIva::VerdictText(const QString& number)
{
    const std::u16string digits = number.toStdU16String();
    if (!VatNumberValid(digits))
        return QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                              "Non è quindi possibile fornire informazioni relative all'Ufficio IVA che lo ha rilasciato.");
    const std::u16string_view code = VatOfficeCode(digits);
    const QString valid = QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n");
    if (const auto office = VatOffice(code))
        return valid + QStringLiteral("E' stato rilasciato dall'Ufficio IVA del Comune di ") + ToQString(*office) + u'.';
    // A code the office table does not hold: say so instead of naming no office.
    return valid + QStringLiteral("L'Ufficio IVA che lo ha rilasciato (codice ") + ToQString(code) + QStringLiteral(") non è noto.");
}
