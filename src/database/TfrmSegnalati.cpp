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
    SetMarkedListTabOrder();
}

Text& TfrmSegnalati::SharedFindText()
{
    static Text findText;
    return findText;
}

void TfrmSegnalati::FormShow()
{
    ShowMarkedLines(DatabaseLists::ListFlagged, QStringLiteral("Ricerca schede segnalate in corso. Attendere..."));
}

void TfrmSegnalati::OpenLine(std::u16string_view line)
{
    ShowSheetOfLine(Served(), line);
}
