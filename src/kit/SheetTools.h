#pragma once

#include <QString>
#include <functional>

class QWidget;
class SheetScreen;

// Tools a sheet screen opens that other parts of the program provide: the number checks,
// the attachments and the client search. The program installs the openers once at
// start-up, so a sheet screen knows only that the tools exist. A tool that is not
// installed opens nothing.
namespace SheetTools {

enum class Check { FiscalCode, VatNumber, Card, Iban };

struct Openers {
    // Opens a check with the sheet's text; the fiscal-code check passes a text of digits
    // only on to the VAT check.
    std::function<void(QWidget* opener, Check check, const QString& text)> check;
    // Opens the attachments of the served sheet, which takes them back on apply.
    std::function<void(SheetScreen& served)> attachments;
    // Opens the client search for the served sheet screen (client or database sheet).
    std::function<void(SheetScreen& served)> clientSearch;
};

void Install(Openers openers);

void OpenCheck(QWidget* opener, Check check, const QString& text);
void OpenAttachments(SheetScreen& served);
void OpenClientSearch(SheetScreen& served);

} // namespace SheetTools
