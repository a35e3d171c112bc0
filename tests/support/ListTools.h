#pragma once
// A user's clicks on a list tool's list, and the records the list tools' tests store.
#include "kit/ListTool.h"
#include "support/ScreenTest.h"
#include "support/StorageTest.h"
#include "support/StoredRecords.h"

#include <QByteArray>
#include <QDialog>
#include <QFile>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTest>

#include <functional>
#include <optional>

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

// Opens the tool behind `command` of `screen` as the user does, points `tool` at it, and runs
// `use` once the tool is the active window; a tool that `use` leaves open is closed afterwards.
template <class Tool>
void UseTool(QWidget* screen, const char* command, QPointer<Tool>& tool, const std::function<void()>& use)
{
    WhenModalThenClose([&](QWidget* modal) {
        tool = qobject_cast<Tool*>(modal);
        QVERIFY(tool);
        QVERIFY(QTest::qWaitForWindowActive(tool));
        use();
    });
    Click(Child(screen, command));
    QVERIFY(!QApplication::activeModalWidget());
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
