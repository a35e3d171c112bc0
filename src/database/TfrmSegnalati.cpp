#include "database/TfrmSegnalati.h"

#include "kit/Widgets.h"
#include "database/DatabaseLists.h"
#include "database/SheetOfLine.h"
#include "storage/RecordFile.h"

#include <QLineEdit>
#include <optional>
#include <QPushButton>

TfrmSegnalati::TfrmSegnalati(SheetScreen& served)
    : ListTool(served, QStringLiteral(" Riepilogo record segnalati"), SharedFindText(),
               Pictures::Header(QSize(862, 70), Pictures::Icon::Database, QColor(0xC0, 0x1B, 0x1B),
                                QStringLiteral("Riepilogo record segnalati"),
                                {QStringLiteral("Le schede dell'archivio contrassegnate con \"Segnala\".")}),
               Count::None)
{
    SetPrintTitle(QStringLiteral("Riepilogo record segnalati"));
    setTabOrder(FindBox(), Records());
    setTabOrder(Records(), PrintButton());
    setTabOrder(PrintButton(), FindButton());
    setTabOrder(FindButton(), CloseButton());
}

Text& TfrmSegnalati::SharedFindText()
{
    static Text findText;
    return findText;
}

void TfrmSegnalati::FormShow()
{
    EmptyFindText();
    ResultLines lines;
    std::optional<ArchiveError> failure;
    try {
        DatabaseLists::ListFlagged(lines);
    } catch (const ArchiveError& error) {
        lines.Sort(); // the sheets read before the failure
        failure = error;
    }
    ShowLines(std::move(lines));
    FindBox()->setFocus();
    if (failure)
        ShowArchiveAccessMessage(*failure);
}

void TfrmSegnalati::OpenLine(std::u16string_view line)
{
    ShowSheetOfLine(Served(), line);
}
