#pragma once

#include "archive/SheetArchive.h"
#include "storage/Records.h"

#include <QString>
#include <functional>

class QWidget;
class SheetScreen;

// Tools a sheet screen opens that other parts of the program provide: the number checks,
// the attachments and the client search. The program hands the openers to each sheet
// screen when it makes it, so a sheet screen knows only that the tools exist.
namespace SheetTools {

enum class Check { FiscalCode, VatNumber, Card, Iban };

// What the client search does with the client the user picked: a stored client record and
// its position (1-based).
using ClientPicked = std::function<void(const TSchedaCliente& client, SheetPosition position)>;

struct Openers {
    // Opens a check with the sheet's text; the fiscal-code check passes a text of digits
    // only on to the VAT check.
    std::function<void(QWidget* opener, Check check, const QString& text)> check;
    // Opens the attachments of the served sheet, which takes them back on apply.
    std::function<void(SheetScreen& served)> attachments;
    // Opens the client search for the served sheet screen, which takes the picked client.
    std::function<void(SheetScreen& served, ClientPicked picked)> clientSearch;

    // Throws std::invalid_argument when an opener is missing: a sheet screen never has a
    // command that silently opens nothing.
    void RequireAll() const;
};

} // namespace SheetTools
