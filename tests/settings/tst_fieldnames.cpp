// The field-name screen: what it shows, what "Applica e chiudi" writes to Archivio.ini and
// what it refuses to write.

#include "support/SettingsTest.h"

#include "kit/Failures.h"
#include "kit/StatusLine.h"
#include "app/TfrmAvvio.h"
#include "storage/ArchiveSettings.h"
#include "settings/TfrmImpostaCampi.h"
#include "storage/IniFile.h"
#include "storage/IoFaults.h"
#include "support/SaveLockHolder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString Two(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

// The file a fresh apply writes: the section and the fourteen keys with the given values.
QByteArray FieldSection(const QStringList& values)
{
    QByteArray bytes = "[Nome campi]\r\n";
    for (int i = 0; i < values.size(); ++i)
        bytes += "Campo " + Two(i + 1).toLatin1() + "=" + values[i].toLatin1() + "\r\n";
    return bytes;
}

QStringList Fourteen(const QStringList& first)
{
    QStringList all = first;
    while (all.size() < GenericFieldCount)
        all.append(QString());
    return all;
}

} // namespace

class TestFieldNames : public QObject {
    Q_OBJECT

    ScreenTestFixture fixture;
    TfrmImpostaCampi* screen() { return fixture->program->ImpostaCampi(); }
    QLineEdit* box(int number) { return Child<QLineEdit>(screen(), ("txtCampo" + Two(number)).toLatin1().constData()); }
    QLabel* title(int number) { return Child<QLabel>(screen(), ("titCampo" + Two(number)).toLatin1().constData()); }
    QByteArray SettingsBytes() { return FileBytes(fixture->Path(QStringLiteral("Archivio.ini"))); }
    void Show()
    {
        screen()->ShowScreen();
        QVERIFY(QTest::qWaitForWindowExposed(screen()));
    }
    void Type(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::KeyAction::Click, edit, Qt::Key_unknown, c, Qt::NoModifier);
    }
    void Apply() { Click(Child<QPushButton>(screen(), "btnApplica")); }

private slots:
    void init() { fixture.Start(); }
    void cleanup() { fixture.Stop(); }

    void showingReadsTheStoredTitlesIntoLabelsAndBoxes()
    {
        IniFile settings(fixture->Path(QStringLiteral("Archivio.ini")).toStdString());
        settings.Write(u"Database", u"Nome Archivio", u"Studio Rossi");
        settings.Write(u"NOME CAMPI", u"campo 01", u"Pratica");
        settings.Write(u"Nome Campi", u"Campo 14", u"<b>Note</b>");
        Show();
        QCOMPARE(Child<QLabel>(screen(), "titNomeArchivio")->text(), QStringLiteral("Studio Rossi"));
        QCOMPARE(title(1)->text(), QStringLiteral("Pratica"));
        QCOMPARE(box(1)->text(), QStringLiteral("Pratica"));
        QCOMPARE(title(2)->text(), QString()); // the design-time "Campo 2:" never remains
        QCOMPARE(title(14)->text(), QStringLiteral("<b>Note</b>"));
        QCOMPARE(title(14)->textFormat(), Qt::PlainText);
        QCOMPARE(screen()->focusWidget(), box(1));
        QCOMPARE(Child<QLabel>(screen(), "panInfo")->text(), QStringLiteral("Pronto per salvare le impostazioni..."));
    }

    void applyWritesTheFourteenTrimmedTitlesInOrder_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("only the first") << Fourteen({"Pratica"}) << Fourteen({"Pratica"});
        QStringList typed, written;
        for (int i = 1; i <= GenericFieldCount; ++i) {
            typed.append(QStringLiteral("  Titolo %1\t ").arg(i));
            written.append(QStringLiteral("Titolo %1").arg(i));
        }
        QTest::newRow("all, with blanks around") << typed << written;
        QTest::newRow("blanks only in the others") << Fourteen({" Pratica", "   ", "", "\t"}) << Fourteen({"Pratica"});
    }
    void applyWritesTheFourteenTrimmedTitlesInOrder()
    {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, written);
        Show();
        for (int i = 1; i <= GenericFieldCount; ++i)
            box(i)->setText(typed[i - 1]);
        Apply();
        QVERIFY(fixture.messages->shown.isEmpty());
        QCOMPARE(SettingsBytes(), FieldSection(written));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmAvvio")});
    }

    void applyLeavesTheStartScreenSectionAsItWas()
    {
        const QByteArray database = "[Database]\r\nNome Archivio=Studio Rossi\r\nSottotitolo Archivio=Pratiche\r\n";
        fixture->WriteFile(QStringLiteral("Archivio.ini"), database);
        Show();
        box(1)->setText(QStringLiteral("Pratica"));
        Apply();
        QCOMPARE(SettingsBytes(), database + FieldSection(Fourteen({"Pratica"})));
    }

    void aBlankFirstTitleWarnsAndWritesNothing_data()
    {
        QTest::addColumn<QString>("first");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks") << "   ";
    }
    void aBlankFirstTitleWarnsAndWritesNothing()
    {
        QFETCH(QString, first);
        Show();
        box(1)->setText(first);
        box(2)->setText(QStringLiteral("Data"));
        box(2)->setFocus();
        Apply();
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown.at(0).kind, MessageKind::Warning);
        QCOMPARE(fixture.messages->shown.at(0).text, QStringLiteral("Attenzione: per salvare le impostazioni è necessario "
                                                            "compilare il primo campo del database."));
        QVERIFY(!QFile::exists(fixture->Path(QStringLiteral("Archivio.ini"))));
        QCOMPARE(screen()->focusWidget(), box(1));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmImpostaCampi")});
    }

    void cancelWritesNothingAndTheNextShowingReloadsTheStoredTitles()
    {
        const QByteArray stored = FieldSection(Fourteen({"Pratica", "Data"}));
        fixture->WriteFile(QStringLiteral("Archivio.ini"), stored);
        Show();
        Type(box(1), QStringLiteral("X"));
        box(2)->clear();
        Click(Child<QPushButton>(screen(), "btnAnnulla"));
        QCOMPARE(SettingsBytes(), stored);
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmAvvio")});
        Show();
        QCOMPARE(box(1)->text(), QStringLiteral("Pratica"));
        QCOMPARE(title(1)->text(), QStringLiteral("Pratica"));
        QCOMPARE(box(2)->text(), QStringLiteral("Data"));
    }

    void theLabelPreviewsTheTrimmedTitleAsItIsTyped()
    {
        Show();
        Type(box(5), QStringLiteral("  Scadenza"));
        QCOMPARE(title(5)->text(), QStringLiteral("Scadenza"));
        Type(box(5), QStringLiteral(" <b>x</b>  "));
        QCOMPARE(title(5)->text(), QStringLiteral("Scadenza <b>x</b>"));
        QCOMPARE(title(5)->textFormat(), Qt::PlainText);
        QCOMPARE(title(5)->wordWrap(), false);
        QCOMPARE(title(5)->width(), box(5)->width());
    }

    void enterWalksTheBoxesAndWrapsFromTheLastToTheFirst()
    {
        Show();
        box(1)->setFocus();
        for (int number = 2; number <= GenericFieldCount; ++number) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), box(number));
        }
        QTest::keyClick(box(14), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), box(1));
    }

    void tabGoesThroughTheBoxesThenCancelThenApply()
    {
        Show();
        const QStringList order = TabOrder(box(1), GenericFieldCount + 2);
        QCOMPARE(order.mid(GenericFieldCount), (QStringList{"btnAnnulla", "btnApplica"}));
        QCOMPARE(order.at(13), QStringLiteral("txtCampo14"));
    }

    // A refused apply leaves the whole file as it was (never some titles new and the others
    // old) and the screen open with what the user typed.
    void aRefusedWriteLeavesTheWholeFileAndKeepsTheScreenOpen()
    {
        const QByteArray stored = FieldSection(Fourteen({"Pratica", "Data", "Cliente"}));
        fixture->WriteFile(QStringLiteral("Archivio.ini"), stored);
        Show();
        for (int i = 1; i <= GenericFieldCount; ++i)
            box(i)->setText(QStringLiteral("T%1").arg(i));
        IoFaults::FailNext(IoOp::Rename); // the one replacement of the file
        Apply();
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown.at(0).kind, MessageKind::Error);
        QCOMPARE(fixture.messages->shown.at(0).text,
                 QStringLiteral("Unable to write to ") + fixture->Path(QStringLiteral("Archivio.ini")));
        QCOMPARE(SettingsBytes(), stored);
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmImpostaCampi")});
        for (int i = 1; i <= GenericFieldCount; ++i)
            QCOMPARE(box(i)->text(), QStringLiteral("T%1").arg(i));
    }

    // While another copy of the program holds the settings file, the apply waits for it a
    // moment, then says the archive is in use: nothing is written, the screen stays open
    // with the edits, and the cursor is back to normal.
    void aFileAnotherCopyHoldsGivesTheBusyWarning()
    {
        const QByteArray stored = FieldSection(Fourteen({"Pratica"}));
        fixture->WriteFile(QStringLiteral("Archivio.ini"), stored);
        Show();
        Type(box(1), QStringLiteral(" Nuova"));
        box(2)->setText(QStringLiteral("Data"));
        SaveLockHolder other(fixture->Path(QStringLiteral("Archivio.ini")));
        QVERIFY(other.Locked());
        Apply();
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown.at(0).kind, MessageKind::Warning);
        QCOMPARE(fixture.messages->shown.at(0).text, Failures::ArchiveBusyText);
        QCOMPARE(SettingsBytes(), stored);
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmImpostaCampi")});
        QCOMPARE(box(1)->text(), QStringLiteral("Pratica Nuova"));
        QCOMPARE(box(2)->text(), QStringLiteral("Data"));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // Fourteen titles far longer than a title can be read, in a UTF-8 settings file: the
    // apply writes them cut to what is read back, and the archive name, the subtitle and the
    // titles all stay on the screens (the file once grew past what the program would read).
    void veryLongTitlesKeepEveryNameOnTheScreens()
    {
        fixture->WriteFile(QStringLiteral("Archivio.ini"),
                           "\xEF\xBB\xBF[Database]\r\nNome Archivio=Studio Rossi\r\nSottotitolo Archivio=Pratiche\r\n");
        Show();
        for (int i = 1; i <= GenericFieldCount; ++i)
            box(i)->setText(QString(26000, QChar(0x20AC)) + QString::number(i));
        Apply();
        QVERIFY(fixture.messages->shown.isEmpty());
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmAvvio")});
        QCOMPARE(Child<QLabel>(fixture->program->Avvio(), "titNomeArchivio")->text(), QStringLiteral("Studio Rossi"));
        QCOMPARE(Child<QLabel>(fixture->program->Avvio(), "titSottotitolo")->text(), QStringLiteral("Pratiche"));
        fixture->program->Avvio()->hide();
        Show();
        QCOMPARE(Child<QLabel>(screen(), "titNomeArchivio")->text(), QStringLiteral("Studio Rossi"));
        for (int i = 1; i <= GenericFieldCount; ++i) {
            QCOMPARE(box(i)->text(), QString(int(IniFile::MaxValueLength), QChar(0x20AC)));
            QCOMPARE(title(i)->text(), box(i)->text());
        }
    }

    void hoverTextsOfTheTwoButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("cancel") << "btnAnnulla" << "Esci senza salvare le impostazioni.";
        QTest::newRow("apply") << "btnApplica" << "Applica le impostazioni e chiudi questa schermata.";
    }
    void hoverTextsOfTheTwoButtons()
    {
        QFETCH(QString, button);
        QFETCH(QString, text);
        Show();
        QTest::mouseMove(screen(), QPoint(2, 2)); // so that the move below is a real move
        Hover(Child(screen(), button.toLatin1().constData()));
        QCOMPARE(Child<QLabel>(screen(), "panInfo")->text(), text);
        QTest::mouseMove(Child(screen(), "icoFaldoni"));
        QCOMPARE(Child<QLabel>(screen(), "panInfo")->text(), QString());
    }
};

VELORBIS_SCREEN_TEST_MAIN(TestFieldNames)
#include "tst_fieldnames.moc"
