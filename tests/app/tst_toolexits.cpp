// Every command that opens a tool leads to a tool the user can leave: it shows a visible,
// enabled command that closes it, and pressing that command does.

#include "support/ScreenTest.h"

#include <QAbstractButton>

class TestToolExits : public QObject {
    Q_OBJECT

    ScreenTestFixture fixture;

private slots:
    void init() { fixture.Start(); }
    void cleanup() { fixture.Stop(); }

    void everyToolShowsACommandThatClosesIt_data()
    {
        QTest::addColumn<WorkScreenId>("screen");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("closer");
        const auto row = [](const char* name, WorkScreenId screen, const char* command, const char* tool,
                            const char* closer) {
            QTest::newRow(name) << screen << QString::fromLatin1(command) << QString::fromLatin1(tool)
                                << QString::fromLatin1(closer);
        };
        row("start menu: help", WorkScreenId::StartMenu, "imgGuida", "TfrmGuida", "btnChiudi");
        row("start menu: about", WorkScreenId::StartMenu, "imgInfo", "TfrmInfo", "btnChiudi");
        row("start menu: copyright", WorkScreenId::StartMenu, "imgCopyright", "TfrmSplash", "btnChiudi");
        row("database: search", WorkScreenId::DatabaseSheet, "cmdTrova", "TfrmTrovaDatabase", "btnAnnulla");
        row("database: flagged", WorkScreenId::DatabaseSheet, "cmdSegnalati", "TfrmSegnalati", "btnChiudi");
        row("database: export", WorkScreenId::DatabaseSheet, "cmdEsporta", "TfrmExpDatabase", "cmdEsci");
        row("database: print", WorkScreenId::DatabaseSheet, "cmdStampa", "TfrmStampaDatabase", "btnAnnulla");
        row("database: preview", WorkScreenId::DatabaseSheet, "cmdAnteprima", "TfrmAnteprimaPrev", "btnAnnulla");
        row("database: attachments", WorkScreenId::DatabaseSheet, "cmdFile", "TfrmAllegaCartella", "btnAnnulla");
        row("database: fiscal code", WorkScreenId::DatabaseSheet, "btnCodFisc", "TfrmCodFisc", "btnChiudi");
        row("database: VAT number", WorkScreenId::DatabaseSheet, "btnPartitaIva", "TfrmPartitaIva", "btnChiudi");
        row("database: help", WorkScreenId::DatabaseSheet, "cmdGuida", "TfrmGuida", "btnChiudi");
        row("database: client import", WorkScreenId::DatabaseSheet, "impCliente", "TfrmTrovaClienti", "btnAnnulla");
        row("clients: search", WorkScreenId::ClientSheet, "cmdTrova", "TfrmTrovaClienti", "btnAnnulla");
        row("clients: to recontact", WorkScreenId::ClientSheet, "cmdRicontatta", "TfrmRicontatta", "btnChiudi");
        row("clients: export", WorkScreenId::ClientSheet, "cmdEsporta", "TfrmExpClienti", "cmdEsci");
        row("clients: attachments", WorkScreenId::ClientSheet, "cmdFile", "TfrmAllegaCartella", "btnAnnulla");
        row("clients: fiscal code", WorkScreenId::ClientSheet, "btnCodFisc", "TfrmCodFisc", "btnChiudi");
        row("clients: VAT number", WorkScreenId::ClientSheet, "btnPartitaIva", "TfrmPartitaIva", "btnChiudi");
        row("clients: card", WorkScreenId::ClientSheet, "btnCarta", "TfrmCarta", "btnChiudi");
        row("clients: IBAN", WorkScreenId::ClientSheet, "btnIban", "TfrmIban", "btnChiudi");
        row("clients: help", WorkScreenId::ClientSheet, "cmdGuida", "TfrmGuida", "btnChiudi");
        row("settings menu: help", WorkScreenId::SettingsMenu, "imgGuida", "TfrmGuida", "btnChiudi");
        row("settings menu: copies", WorkScreenId::SettingsMenu, "imgCopie", "TfrmCopieSicurezza", "btnChiudi");
    }
    void everyToolShowsACommandThatClosesIt()
    {
        QFETCH(WorkScreenId, screen);
        QFETCH(QString, command);
        QFETCH(QString, tool);
        QFETCH(QString, closer);
        fixture->program->ShowScreen(screen);
        QWidget* shown = fixture->program->Screen(screen);
        QVERIFY(QTest::qWaitForWindowExposed(shown));

        QString opened;
        bool closerUsable = false;
        WhenModal([&](QWidget* modal) {
            opened = QString::fromLatin1(modal->metaObject()->className());
            auto* close = modal->findChild<QWidget*>(closer);
            closerUsable = close && close->isVisible() && close->isEnabled();
            if (closerUsable)
                Click(close);
        });
        Click(Child(shown, command.toLatin1().constData()));
        QCOMPARE(opened, tool);
        QVERIFY2(closerUsable, qPrintable(closer + QStringLiteral(" is not a visible, enabled command")));
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(TestToolExits)
#include "tst_toolexits.moc"
