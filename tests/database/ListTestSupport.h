#pragma once
// Sheets for the list tools' tests: built field by field, raw bytes where a test needs a
// field as another program might have written it, and written to Database.pro at once; and
// a user's clicks on a list tool's list.
#include "kit/ListTool.h"
#include "storage/ProgramFolder.h"
#include "storage/Records.h"
#include "storage/StorageTestSupport.h"

#include <QByteArray>
#include <QDialog>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTest>

#include <cstring>
#include <initializer_list>
#include <utility>
#include <vector>

using DF = DatabaseField;

inline TSchedaDatabase Sheet(std::initializer_list<std::pair<DF, const char16_t*>> fields)
{
    TSchedaDatabase sheet;
    for (const auto& [field, text] : fields)
        sheet.Set(field, text);
    return sheet;
}

// Stores `text` in the field byte for byte (Latin-1 characters), untrimmed, followed by
// `leftover` bytes beyond the length, as a file written by other means may hold it.
inline void SetRaw(TSchedaDatabase& sheet, DF field, const QByteArray& text, const QByteArray& leftover = {})
{
    const FieldSpec& fieldSpec = TSchedaDatabase::FieldSpecOf(field);
    uint8_t* bytes = sheet.data() + fieldSpec.offset;
    bytes[0] = static_cast<uint8_t>(text.size());
    std::memcpy(bytes + 1, text.constData(), std::size_t(text.size()));
    std::memcpy(bytes + 1 + text.size(), leftover.constData(), std::size_t(leftover.size()));
}

inline void WriteSheets(const std::vector<TSchedaDatabase>& sheets)
{
    QFile file(QString::fromStdString(ProgramFile(DatabaseLayout.fileName).string()));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (const TSchedaDatabase& sheet : sheets)
        file.write(reinterpret_cast<const char*>(sheet.data()), qsizetype(TSchedaDatabase::Size));
}

// WhenModal for an action that may stop half-way on a failed check: the tool is closed
// anyway, so that the test goes on to report the failure instead of waiting for ever.
template <class Action>
void WhenModalThenClose(Action action)
{
    WhenModal([action](QWidget* modal) {
        action(modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && dialog->isVisible())
            dialog->done(QDialog::Rejected);
    });
}

// The selected row of a list tool's list, -1 when none.
inline int Selected(ResultList* list)
{
    const std::optional<std::size_t> row = list->SelectedRow();
    return row ? int(*row) : -1;
}

// A double-click on line `row` of a list tool's list, or below its lines when row is -1.
inline void DoubleClick(ResultList* list, int row)
{
    const QPoint where = row >= 0 ? list->visualRect(list->model()->index(row, 0)).center()
                                  : QPoint(20, list->viewport()->height() - 5);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, where);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, where);
}

// The lines a list tool's list shows, in its order.
inline QStringList ShownLines(ResultList* list)
{
    QStringList lines;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        lines << list->model()->index(row, 0).data().toString();
    return lines;
}
