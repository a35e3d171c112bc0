// A long piece of work as the user sees it: the wait cursor at once, a progress window that
// holds other input off once the work has taken half a second, and nothing left behind.

#include "kit/WorkProgress.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>

class TstWorkProgress : public QObject {
    Q_OBJECT

    // Reports `steps` steps evenly over `ms` milliseconds of busy work, as a scan does.
    static void Work(Progress& progress, int ms, int steps = 1000)
    {
        QElapsedTimer elapsed;
        elapsed.start();
        for (int step = 0; step <= steps; ++step) {
            while (elapsed.elapsed() < qint64(ms) * step / steps) {
            }
            progress.Reached(std::size_t(step), std::size_t(steps));
        }
    }
    static QProgressDialog* Window() { return qobject_cast<QProgressDialog*>(QApplication::activeModalWidget()); }

private slots:
    void shortWorkShowsOnlyTheWaitCursor()
    {
        QWidget screen;
        screen.show();
        {
            WorkProgress progress(&screen, QStringLiteral("Ricerca schede in corso. Attendere..."));
            QVERIFY(QApplication::overrideCursor());
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            Work(progress, 100);
            QVERIFY(!Window());
        }
        QVERIFY(!QApplication::overrideCursor());
    }

    void longWorkShowsItsProgressOverTheScreenAndHoldsInputOff()
    {
        QWidget screen;
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        {
            WorkProgress progress(&screen, QStringLiteral("Ricerca schede in corso. Attendere..."));
            Work(progress, WorkProgress::ShowAfterMs + 300, 500);
            QProgressDialog* window = Window();
            QVERIFY(window);
            QCOMPARE(window->objectName(), QStringLiteral("dlgAvanzamento"));
            QCOMPARE(window->parentWidget(), &screen);
            QCOMPARE(window->labelText(), QStringLiteral("Ricerca schede in corso. Attendere..."));
            QCOMPARE(window->value(), window->maximum()); // every step reported
            QVERIFY(!window->findChild<QPushButton*>()); // the work cannot be broken off half-way
            QCOMPARE(window->windowModality(), Qt::ApplicationModal); // the system refuses input elsewhere
        }
        QVERIFY(!Window());
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(TstWorkProgress)
#include "tst_workprogress.moc"
