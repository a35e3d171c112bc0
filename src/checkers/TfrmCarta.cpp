#include "checkers/TfrmCarta.h"

#include "kit/TextRules.h"
#include "checkers/NumberChecks.h"

#include <QLineEdit>

TfrmCarta::TfrmCarta(QWidget* opener, const QString& text)
    : CheckerDialog(opener, {QStringLiteral(" Controllo carta di credito"), QSize(519, 254),
                             QStringLiteral("Controllo carta di credito"), QStringLiteral("checkers/cardfan"),
                             QStringLiteral("Immettere il numero di carta di credito e premere il pulsante di controllo."),
                             QStringLiteral("txtNumero"), 30, BoxKind::DigitsOnly})
{
    Prefill(text);
    connect(Box(), &QLineEdit::textEdited, this, &TfrmCarta::txtNumeroTyping);
}

// The box takes digits only, and what the user types is trimmed and capitalised as in a
// code box (a number placed by the client sheet may carry blanks at its ends).
void TfrmCarta::txtNumeroTyping()
{
    QLineEdit* box = Box();
    const QString before = box->text();
    const QString after = TextBoxes::Tidy(BoxKind::Code, before);
    if (after == before)
        return;
    int leading = 0;
    while (leading < before.size() && before.at(leading).unicode() <= 32)
        ++leading;
    const int cursor = qBound(0, box->cursorPosition() - leading, int(after.size()));
    box->setText(after);
    box->setCursorPosition(cursor);
}

void TfrmCarta::btnControllaClick()
{
    const QString text = Box()->text();
    const QString trimmed = TrimText(text);
    if (trimmed.isEmpty()) {
        AskAgain(QStringLiteral(
            "Attenzione: immettere il numero di carta di credito prima di premere il pulsante di controllo."));
        return;
    }
    // A number of the family of 3 whose first two characters name no card is no known card.
    if (const auto type = CardType(text.toStdU16String())) {
        Conclude(MessageKind::Information,
                 QStringLiteral("Il numero di carta di credito ") + trimmed + QStringLiteral(" risulta valido.\r\n\r\n")
                     + QStringLiteral("La carta di credito è del tipo ")
                     + ToQString(*type) + u'.');
        return;
    }
    Conclude(MessageKind::Warning,
             QStringLiteral("Attenzione: il numero digitato risulta ERRATO!\r\n\r\n"
                            "Non è quindi possibile fornire informazioni relative al tipo di carta di credito."));
}
