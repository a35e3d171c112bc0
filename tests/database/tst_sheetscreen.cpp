// The database sheet screen's own behaviour: its title and the field titles from the settings,
// coming back to it, the focus order, the web, search and mail commands, the checkers, the
// tools it opens, the attachments, importing a client, the guide and the hover texts. What it
// shares with the client sheet screen is tested over both archives in kit/tst_sheetscreens.

#include "support/FileDialogRecorder.h"
#include "support/ListTools.h"
#include "support/SheetScreenTest.h"
#include "support/StoredRecords.h"

#include "kit/FittedTitle.h"
#include "database/DatabaseHelp.h"
#include "app/TfrmAvvio.h"
#include "database/TfrmDatabase.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

class TstSheetScreen : public QObject {
    Q_OBJECT

    ScreenTestFixture fixture;

    TfrmDatabase* screen() { return fixture->program->Database(); }
    MessageRecorder& messages() { return *fixture.messages; }
    QStringList MessageTexts() { return ::MessageTexts(messages()); }
    QString Text(const char* name) { return BoxText(screen(), name); }
    void SetText(const char* name, const QString& text) { SetBoxText(screen(), name, text); }
    QString Label(const char* name) { return LabelText(screen(), name); }
    QString Position() { return Label("lblPosizione"); }
    QCheckBox* Flag() { return Child<QCheckBox>(screen(), "chkSegnala"); }
    QWidget* Focused() { return FocusedBox(); }
    void Open() { ShowAndWait(screen()); }

private slots:
    void init() { fixture.Start(); }
    void cleanup() { fixture.Stop(); }

    void firstShowingWithoutFilesHasTheTitleAndBlankFieldTitles()
    {
        Open();
        QCOMPARE(screen()->windowTitle(), QStringLiteral(" Velorbis 4.0 - Gestione Database"));
        QVERIFY(Label("titNomeArchivio").isEmpty());
        for (int i = 1; i <= 14; ++i)
            QVERIFY(Label(QStringLiteral("titCampo%1").arg(i, 2, 10, QLatin1Char('0')).toLatin1().constData()).isEmpty());
    }

    void titlesComeFromTheSettingsAsPlainText()
    {
        fixture->WriteFile(QStringLiteral("Archivio.ini"),
                           "[NOME CAMPI]\r\nCampo 01=<b>Titolo</b>\r\nCampo 14=Ultimo\r\n"
                           "[Database]\r\nNome Archivio=Biblioteca & co.\r\n");
        Open();
        auto* title = Child<QLabel>(screen(), "titCampo01");
        QCOMPARE(title->text(), QStringLiteral("<b>Titolo</b>"));
        QCOMPARE(title->textFormat(), Qt::PlainText);
        QVERIFY(Label("titCampo02").isEmpty());
        QCOMPARE(Label("titCampo14"), QStringLiteral("Ultimo"));
        QCOMPARE(Label("titNomeArchivio"), QStringLiteral("Biblioteca & co."));
    }

    // The banner fits the archive's name as the start menu does: smaller, then cut with "…".
    void aLongArchiveNameIsFittedIntoTheBanner()
    {
        const QByteArray name = "Archivio storico delle pratiche dello Studio Tecnico Associato Rossi, Bianchi, Verdi "
                                "e Neri di Reggio Emilia e provincia";
        fixture->WriteFile(QStringLiteral("Archivio.ini"), "[Database]\r\nNome Archivio=" + name + "\r\n");
        Open();
        auto* banner = Child<FittedTitle>(screen(), "titNomeArchivio");
        QVERIFY(banner);
        QCOMPARE(banner->text(), QString::fromLatin1(name));
        QCOMPARE(banner->font().pointSize(), 22);
        QCOMPARE(banner->ShownFont().pointSize(), banner->FloorPointSize());
        QCOMPARE(banner->FloorPointSize(), 14);
        QVERIFY(banner->ShownText().endsWith(u'…'));
        QVERIFY(QFontMetrics(banner->ShownFont()).horizontalAdvance(banner->ShownText()) <= banner->contentsRect().width());
    }

    // A pipe, a folder or a damaged giant in place of the settings file: the sheet shows at
    // once with blank titles and can be used.
    void unusableSettingsLeaveTheTitlesBlank_data() { ProgramFixture::AddUnusableKinds(); }
    void unusableSettingsLeaveTheTitlesBlank()
    {
        QFETCH(QString, kind);
        fixture->MakeUnusable(QStringLiteral("Archivio.ini"), kind);
        Open();
        QVERIFY(Label("titNomeArchivio").isEmpty());
        QVERIFY(Label("titCampo01").isEmpty());
        QVERIFY(messages().shown.isEmpty());
        QCOMPARE(Focused(), Child(screen(), "txtCampo01"));
    }

    void leavingAndComingBackGivesANewSheetWithFreshTitles()
    {
        WriteRecords<DatabaseLayout>({Sheet({{DF::Campo01, u"Scheda 1"}, {DF::Segnala, u"No"}}),
                                      Sheet({{DF::Campo01, u"Scheda 2"}, {DF::Segnala, MarkYes.data()},
                                             {DF::File01, u"documento 2.pdf"}})});
        Open();
        Click(Child(screen(), "cmdUltimo"));
        QVERIFY(Flag()->isChecked());
        QVERIFY(!Label("lblFile01").isEmpty());
        fixture->WriteFile(QStringLiteral("Archivio.ini"), "[Nome Campi]\r\nCampo 03=Nuovo titolo\r\n");
        Click(Child(screen(), "cmdEsci"));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmAvvio")});
        Click(Child(fixture->program->Avvio(), "cmdDatabase"));
        QVERIFY(QTest::qWaitForWindowActive(screen()));
        QCOMPARE(Text("txtCampo01"), QString());
        QCOMPARE(Text("txtWeb"), QStringLiteral("https://"));
        QVERIFY(!Flag()->isChecked());
        QVERIFY(Label("lblFile01").isEmpty());
        QVERIFY(Position().isEmpty());
        QCOMPARE(Label("titCampo03"), QStringLiteral("Nuovo titolo"));
        QCOMPARE(Focused(), Child(screen(), "txtCampo01"));
    }

    void enterChainAndTabOrder_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("order");
        QStringList boxes;
        for (int i = 1; i <= 14; ++i)
            boxes << QStringLiteral("txtCampo%1").arg(i, 2, 10, QLatin1Char('0'));
        const QStringList contact{"txtCliente", "txtIndirizzoRes", "txtComuneRes", "txtProvRes",
                                  "txtEmail", "txtRecapito", "txtCodFisc", "txtPartitaIva"};
        QTest::newRow("Enter") << int(Qt::Key_Return)
                               << boxes + contact + QStringList{"txtGoogle", "txtWeb", "txtCampo01"};
        QTest::newRow("Tab") << int(Qt::Key_Tab)
                             << boxes + QStringList{"chkSegnala"} + contact
                                    + QStringList{"txtGoogle", "btnGoogle", "txtWeb", "btnVai", "txtCampo01"};
    }
    void enterChainAndTabOrder()
    {
        QFETCH(int, key);
        QFETCH(QStringList, order);
        Open();
        QCOMPARE(Focused(), Child(screen(), "txtCampo01"));
        QStringList visited{QStringLiteral("txtCampo01")};
        for (int i = 1; i < order.size(); ++i) {
            if (key == Qt::Key_Tab && Focused() == Child(screen(), "txtPartitaIva")) {
                // The digits-only box swallows Tab like any other key that is not a digit;
                // the focus moves on as the tab order says when the user clicks on.
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(Focused(), Child(screen(), "txtPartitaIva"));
                QWidget* next = QApplication::focusWidget()->nextInFocusChain();
                while (!(next->focusPolicy() & Qt::TabFocus) || !next->isVisible())
                    next = next->nextInFocusChain();
                next->setFocus(Qt::TabFocusReason);
            } else {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
            }
            visited.append(Focused() ? Focused()->objectName() : QString());
        }
        QCOMPARE(visited, order);
        // Only the box with the focus shows its frame.
        QCOMPARE(Child(screen(), "effCampo01")->isVisible(), true);
        QCOMPARE(Child(screen(), "effWeb")->isVisible(), false);
    }

    void webSiteCommand_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("opened"); // empty: nothing
        QTest::newRow("web address") << "https://www.example.it/pagina" << "https://www.example.it/pagina";
        QTest::newRow("without scheme, as http") << " www.example.it " << "http://www.example.it";
        QTest::newRow("bare default") << "https://" << "";
        QTest::newRow("local program") << "C:\\Windows\\System32\\calc.exe" << "";
        QTest::newRow("local file address") << "file:///etc/passwd" << "";
    }
    void webSiteCommand()
    {
        QFETCH(QString, typed);
        QFETCH(QString, opened);
        OpenedUrls urls;
        Open();
        SetText("txtWeb", typed);
        Click(Child(screen(), "btnVai"));
        QVERIFY(messages().shown.isEmpty());
        QCOMPARE(urls.urls.size(), opened.isEmpty() ? 0 : 1);
        if (!opened.isEmpty())
            QCOMPARE(urls.urls.at(0), QUrl(opened));
        QCOMPARE(Text("txtWeb"), typed);
    }

    void webSiteCommandWithAnEmptyBoxWarnsAndOffersHttp()
    {
        OpenedUrls urls;
        Open();
        SetText("txtWeb", QStringLiteral("   "));
        Click(Child(screen(), "btnVai"));
        QCOMPARE(messages().shown.size(), 1);
        QCOMPARE(messages().shown.at(0).kind, MessageKind::Warning);
        QCOMPARE(messages().shown.at(0).text,
                 QStringLiteral("Attenzione: per aprire il sito Web è necessario indicare il suo Indirizzo."));
        QCOMPARE(Text("txtWeb"), QStringLiteral("http://"));
        QCOMPARE(Focused(), Child(screen(), "txtWeb"));
        QVERIFY(urls.urls.isEmpty());
    }

    void webSearch()
    {
        OpenedUrls urls;
        Open();
        Click(Child(screen(), "btnGoogle"));
        QCOMPARE(MessageTexts(), QStringList{QStringLiteral("Attenzione: prima di avviare Google, indicare una chiave di "
                                                            "ricerca nell'apposito campo.")});
        QCOMPARE(messages().shown.at(0).kind, MessageKind::Warning);
        QCOMPARE(Focused(), Child(screen(), "txtGoogle"));
        QVERIFY(urls.urls.isEmpty());

        SetText("txtGoogle", QStringLiteral(" nome rosa "));
        Click(Child(screen(), "btnGoogle"));
        QCOMPARE(urls.urls.size(), 1);
        const QUrl url = urls.urls.at(0);
        QCOMPARE(url.scheme(), QStringLiteral("http"));
        QCOMPARE(url.host(), QStringLiteral("www.google.it"));
        QCOMPARE(url.path(), QStringLiteral("/search"));
        QCOMPARE(url.query(QUrl::FullyDecoded), QStringLiteral("q=nome rosa"));
    }

    void mailCommand_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("opened");
        QTest::newRow("address") << " mario.rossi@example.it " << "mailto:mario.rossi@example.it";
        QTest::newRow("empty box: a message without recipient") << "" << "mailto:";
    }
    void mailCommand()
    {
        QFETCH(QString, address);
        QFETCH(QString, opened);
        OpenedUrls urls;
        Open();
        SetText("txtEmail", address);
        Click(Child(screen(), "sndMail"));
        QCOMPARE(urls.urls, QList<QUrl>{QUrl(opened)});
    }

    void checkers_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("prefilled");
        QTest::newRow("empty fiscal code") << "btnCodFisc" << "" << "TfrmCodFisc" << "txtCodFisc" << "";
        QTest::newRow("fiscal code in capitals") << "btnCodFisc" << "rssmra80a01h501u" << "TfrmCodFisc" << "txtCodFisc"
                                                 << "RSSMRA80A01H501U";
        QTest::newRow("eleven digits go to the VAT check") << "btnCodFisc" << "01234567890" << "TfrmPartitaIva"
                                                           << "txtPartitaIva" << "01234567890";
        QTest::newRow("VAT number") << "btnPartitaIva" << "01234567890" << "TfrmPartitaIva" << "txtPartitaIva"
                                    << "01234567890";
        QTest::newRow("empty VAT number") << "btnPartitaIva" << "" << "TfrmPartitaIva" << "txtPartitaIva" << "";
    }
    void checkers()
    {
        QFETCH(QString, command);
        QFETCH(QString, typed);
        QFETCH(QString, tool);
        QFETCH(QString, box);
        QFETCH(QString, prefilled);
        Open();
        QWidget* field = Child(screen(), command == QStringLiteral("btnCodFisc") ? "txtCodFisc" : "txtPartitaIva");
        field->setFocus();
        QTest::keyClicks(field, typed);
        QString opened;
        QString received;
        WhenModal([&](QWidget* modal) {
            opened = QString::fromLatin1(modal->metaObject()->className());
            if (auto* input = Child<QLineEdit>(modal, box.toLatin1().constData()))
                received = input->text();
            Click(Child<QPushButton>(modal, "btnChiudi"));
        });
        Click(Child(screen(), command.toLatin1().constData()));
        QCOMPARE(opened, tool);
        QCOMPARE(received, prefilled);
    }

    void toolsOpenFreshOverTheScreen_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("mode"); // what the tool's lblMemory must hold, if it has one
        QTest::addColumn<QString>("closer");
        QTest::newRow("search") << "cmdTrova" << "TfrmTrovaDatabase" << "database" << "btnAnnulla";
        QTest::newRow("flagged list") << "cmdSegnalati" << "TfrmSegnalati" << "" << "btnChiudi";
        QTest::newRow("export") << "cmdEsporta" << "TfrmExpDatabase" << "" << "cmdEsci";
        QTest::newRow("attachments") << "cmdFile" << "TfrmAllegaCartella" << "database" << "btnAnnulla";
    }
    void toolsOpenFreshOverTheScreen()
    {
        QFETCH(QString, command);
        QFETCH(QString, tool);
        QFETCH(QString, mode);
        QFETCH(QString, closer);
        Open();
        QString opened;
        QString memory;
        QPointer<QWidget> instance;
        WhenModal([&](QWidget* modal) {
            instance = modal;
            opened = QString::fromLatin1(modal->metaObject()->className());
            QCOMPARE(modal->parentWidget(), screen());
            if (auto* label = modal->findChild<QLabel*>(QStringLiteral("lblMemory")))
                memory = label->text();
            else
                memory = mode; // a tool that serves only this screen needs no mode
            Click(Child(modal, closer.toLatin1().constData()));
        });
        Click(Child(screen(), command.toLatin1().constData()));
        QCOMPARE(opened, tool);
        QCOMPARE(memory, mode);
        QVERIFY(instance.isNull());
        QVERIFY(screen()->isVisible());
    }

    void attachmentsGoToTheToolAndComeBackIntoTheSheet()
    {
        WriteRecords<DatabaseLayout>({Sheet({{DF::Campo01, u"Scheda 1"}, {DF::Cliente, u"Cliente 1"},
                                             {DF::File01, u"documento 1.pdf"},
                                             {DF::Desc01, u"Allegato della scheda 1"}})});
        Open();
        Click(Child(screen(), "cmdPrimo"));
        fixture->WriteFile(QStringLiteral("uno.pdf"), "1");
        fixture->WriteFile(QStringLiteral("due.doc"), "2");
        FileDialogRecorder dialogs;
        dialogs.next = {fixture->Path(QStringLiteral("uno.pdf")), fixture->Path(QStringLiteral("due.doc"))};
        QStringList received;
        WhenModal([&](QWidget* modal) {
            for (const char* box : {"txtFile01", "txtDesc01", "txtFile02", "txtDesc02", "txtFile03", "txtDesc03"})
                received.append(Child<QLineEdit>(modal, box)->text());
            Click(Child<QPushButton>(modal, "btnSfoglia01"));
            Click(Child<QPushButton>(modal, "btnSfoglia02"));
            auto* desc01 = Child<QLineEdit>(modal, "txtDesc01");
            desc01->selectAll();
            QTest::keyClicks(desc01, QStringLiteral("Primo "));
            QTest::keyClicks(Child<QLineEdit>(modal, "txtDesc03"), QStringLiteral("terzo senza file"));
            Click(Child<QPushButton>(modal, "btnApplica"));
        });
        Click(Child(screen(), "cmdFile"));
        QCOMPARE(received, (QStringList{"documento 1.pdf", "Allegato della scheda 1", "", "", "", ""}));
        QCOMPARE(Label("lblFile01"), QStringLiteral("uno.pdf"));
        QCOMPARE(Label("lblDesc01"), QStringLiteral("Primo"));
        Click(Child(screen(), "cmdSalva"));
        const TSchedaDatabase stored = StoredRecord<DatabaseLayout>(1);
        QCOMPARE(Q(stored.Get(DF::File01)), QStringLiteral("uno.pdf"));
        QCOMPARE(Q(stored.Get(DF::File02)), QStringLiteral("due.doc"));
        QCOMPARE(Q(stored.Get(DF::File03)), QString());
        QCOMPARE(Q(stored.Get(DF::Desc01)), QStringLiteral("Primo"));
        QCOMPARE(Q(stored.Get(DF::Desc03)), QStringLiteral("terzo senza file"));
    }

    void importingAClientFillsOnlyTheContactBoxes()
    {
        Open();
        SetText("txtCampo01", QStringLiteral("Titolo"));
        SetText("txtGoogle", QStringLiteral("chiave"));
        TSchedaCliente client;
        const QList<QPair<ClientField, const char*>> contact{
            {ClientField::Cliente, "txtCliente"}, {ClientField::IndirizzoRes, "txtIndirizzoRes"},
            {ClientField::ComuneRes, "txtComuneRes"}, {ClientField::ProvRes, "txtProvRes"},
            {ClientField::Email, "txtEmail"}, {ClientField::Recapito, "txtRecapito"},
            {ClientField::CodFisc, "txtCodFisc"}, {ClientField::PartitaIva, "txtPartitaIva"}};
        for (const auto& [field, box] : contact)
            client.Set(field, T(QStringLiteral(" %1 ").arg(QString::fromLatin1(box).mid(3, 2))));
        client.Set(ClientField::Note, u"non importata");
        WriteRecords<ClientLayout>({client});
        WhenModalThenClose([](QWidget* search) {
            QCOMPARE(search->metaObject()->className(), "TfrmTrovaClienti");
            Click(Child(search, "btnCerca"));
            DoubleClick(Child<ResultList>(search, "lstRecords"), 0);
        });
        Click(Child(screen(), "impCliente"));
        QVERIFY(!QApplication::activeModalWidget());
        for (const auto& [field, box] : contact)
            QCOMPARE(Text(box), QString::fromLatin1(box).mid(3, 2));
        QCOMPARE(Text("txtCampo01"), QStringLiteral("Titolo"));
        QCOMPARE(Text("txtGoogle"), QStringLiteral("chiave"));
        QCOMPARE(Text("txtWeb"), QStringLiteral("https://"));
        QVERIFY(Position().isEmpty());
    }

    void guideExplainsTheScreenInNineParagraphs()
    {
        Open();
        QString title;
        QString text;
        WhenModal([&](QWidget* modal) {
            QCOMPARE(modal->metaObject()->className(), "TfrmGuida");
            title = Child<QLabel>(modal, "lblTitolo")->text();
            text = Child<QPlainTextEdit>(modal, "txtGuida")->toPlainText();
            Click(Child<QPushButton>(modal, "btnChiudi"));
        });
        Click(Child(screen(), "cmdGuida"));
        QCOMPARE(title, QStringLiteral("Gestione Database."));
        const QString opening = QStringLiteral("Premendo il pulsante Database nella schermata di partenza del "
                                               "software, si entrerà nell'ambiente di lavoro in cui gestire le schede.");
        QVERIFY(text.startsWith(opening));
        const QStringList paragraphs = DatabaseHelpText().split(QStringLiteral("\r\n\r\n"));
        QCOMPARE(paragraphs.size(), 9);
        for (const QString& paragraph : paragraphs) {
            QVERIFY2(!paragraph.contains(u'\n') && !paragraph.contains(u'\r'), qPrintable(paragraph));
            QVERIFY2(paragraph.endsWith(u'.') && paragraph == paragraph.trimmed(), qPrintable(paragraph));
            QVERIFY2(!paragraph.contains(QStringLiteral("  ")), qPrintable(paragraph));
        }
        // The topics, one paragraph each, in their order.
        const QStringList topics{"Premendo", "quattordici campi", "nuova scheda", "Trova", "Allega file",
                                 "Duplica", "Segnala", "Esporta", "copia di sicurezza"};
        for (int i = 0; i < 9; ++i)
            QVERIFY2(paragraphs.at(i).contains(topics.at(i)), qPrintable(topics.at(i)));
    }

    void hoverTexts_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        const QList<QPair<const char*, const char*>> rows{
            {"cmdNuovo", "Prepara la schermata per la registrazione di una nuova scheda."},
            {"cmdDuplica", "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti."},
            {"cmdSalva", "Salva la scheda corrente in archivio."},
            {"cmdTrova", "Trova una scheda in archivio."},
            {"cmdFile", "Allega file alla scheda corrente."},
            {"cmdAnteprima", "Visualizza l'anteprima di stampa."},
            {"cmdStampa", "Stampa la scheda corrente."},
            {"cmdSegnalati", "Visualizza il riepilogo dei record segnalati."},
            {"cmdPrimo", "Visualizza la prima scheda in archivio."},
            {"cmdIndietro", "Visualizza la scheda precedente in archivio."},
            {"cmdAvanti", "Visualizza la scheda successiva in archivio."},
            {"cmdUltimo", "Visualizza l'ultima scheda in archivio."},
            {"cmdEsporta", "Esporta le schede in archivio in un file di Microsoft Excel."},
            {"cmdGuida", "Visualizza la guida in linea."},
            {"cmdEsci", "Esci dalla schermata di lavoro corrente."},
            {"chkSegnala", "Aggiungi la scheda corrente all'elenco dei record segnalati."},
            {"impCliente", "Importa i dati dall'archivio anagrafico dei Clienti."},
            {"sndMail", "Invia una e-mail all'indirizzo indicato."},
            {"btnCodFisc", "Controlla il codice fiscale."},
            {"btnPartitaIva", "Controlla il numero di partita IVA."},
            {"btnGoogle", "Cerca con Google utilizzando le chiavi di ricerca indicate nel campo di testo."},
            {"btnVai", "Vai al sito Internet indicato."},
        };
        for (const auto& [control, text] : rows)
            QTest::newRow(control) << control << QString::fromUtf8(text);
    }
    void hoverTexts()
    {
        QFETCH(QString, control);
        QFETCH(QString, text);
        Open();
        auto* line = Child<QLabel>(screen(), "panInfo");
        // The mouse enters the control (sent directly: the test screen is smaller than the design).
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(Child(screen(), control.toLatin1().constData()), &enter);
        QCOMPARE(line->text(), text);
        QTest::mouseMove(Child(screen(), "txtCampo01")); // a box leaves the text
        QCOMPARE(line->text(), text);
        QTest::mouseMove(Child(screen(), "shpSezione01"), QPoint(40, 140)); // the background empties it
        QCOMPARE(line->text(), QString());
    }
};

QTEST_MAIN(TstSheetScreen)
#include "tst_sheetscreen.moc"
