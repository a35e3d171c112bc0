// The client sheet screen as a user works with it: browsing, saving, duplicating, the
// recontact mark, how each kind of box tidies what is typed, the checkers and the e-mail
// button; and what both sheet screens share in their boxes.

#include "support/ScreenTest.h"
#include "support/StoredRecords.h"

#include "clients/ClientHelp.h"
#include "clients/TfrmClienti.h"
#include "database/TfrmDatabase.h"
#include "kit/Printing.h"
#include "kit/SheetScreen.h"
#include "kit/TextBoxes.h"
#include "storage/Records.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <sys/stat.h>

Q_DECLARE_METATYPE(Archive)

namespace {

constexpr std::size_t S = TSchedaCliente::Size;

QString Q(const Text& text) { return QString::fromStdU16String(text); }
Text T(const QString& text) { return text.toStdU16String(); }

// Stored client number n: its name tells its number; client 2 is to recontact and every
// client has one attachment.
TSchedaCliente Numbered(int n)
{
    TSchedaCliente client;
    client.Set(CF::Cliente, T(QStringLiteral("Cliente %1").arg(n)));
    client.Set(CF::ProvRes, u"RM");
    client.Set(CF::Note, T(QStringLiteral("Nota %1").arg(n)));
    client.Set(CF::Ricontatta, n == 2 ? MarkYes : MarkNo);
    client.Set(CF::File01, T(QStringLiteral("documento %1.pdf").arg(n)));
    client.Set(CF::Desc01, T(QStringLiteral("Allegato %1").arg(n)));
    return client;
}

QStringList Fields(const TSchedaCliente& client)
{
    QStringList fields;
    for (std::size_t i = 0; i < TSchedaCliente::Fields().size(); ++i)
        fields.append(Q(client.Get(static_cast<CF>(i))));
    return fields;
}

// The 29 boxes in tab order (the check box left out), each with its field.
const QList<QPair<const char*, CF>>& BoxFields()
{
    static const QList<QPair<const char*, CF>> boxes{
        {"txtCliente", CF::Cliente}, {"txtDataNasc", CF::DataNasc}, {"txtComuneNasc", CF::ComuneNasc},
        {"txtProvNasc", CF::ProvNasc}, {"txtSesso", CF::Sesso}, {"txtRecapito", CF::Recapito},
        {"txtIndirizzoRes", CF::IndirizzoRes}, {"txtProvRes", CF::ProvRes}, {"txtComuneRes", CF::ComuneRes},
        {"txtCapRes", CF::CapRes}, {"txtEstremi", CF::Estremi}, {"txtTelCasa", CF::TelCasa},
        {"txtTelUff", CF::TelUff}, {"txtTelCel", CF::TelCel}, {"txtFax", CF::Fax}, {"txtEmail", CF::Email},
        {"txtCodFisc", CF::CodFisc}, {"txtCarta", CF::Carta}, {"txtScadeCarta", CF::ScadeCarta},
        {"txtPartitaIva", CF::PartitaIva}, {"txtIban", CF::Iban}, {"txtDocumento", CF::Documento},
        {"txtOccupazione", CF::Occupazione}, {"txtCivile", CF::Civile}, {"txtTitoli", CF::Titoli},
        {"txtProdotti", CF::Prodotti}, {"txtZona", CF::Zona}, {"txtQuestioni", CF::Questioni}, {"txtNote", CF::Note},
    };
    return boxes;
}

const QString Inserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString Modified = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString Duplicated = QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente."
                                          "\n\r\n\rAl termine premere Salva per inserire la scheda in archivio.");
const QString EmptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");

// Types as the user does, a key press and release per character (letters beyond ASCII too).
void Type(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

QLineEdit* EditOf(QWidget* box)
{
    if (auto* province = qobject_cast<ProvinceBox*>(box))
        return province->lineEdit();
    return qobject_cast<QLineEdit*>(box);
}

} // namespace

class TstClientSheet : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFixture> fixture;
    std::unique_ptr<MessageRecorder> messages;

    TfrmClienti* screen() { return fixture->program->Clienti(); }
    SheetScreen* sheet(Archive archive) { return fixture->program->Sheet(archive); }
    QString Text(const char* name) { return TextBoxes::TextOf(Child(screen(), name)); }
    void SetText(const char* name, const QString& text) { TextBoxes::ShowText(Child(screen(), name), text); }
    QString Position() { return Child<QLabel>(screen(), "lblPosizione")->text(); }
    QCheckBox* Mark() { return Child<QCheckBox>(screen(), "chkRicontatta"); }
    QString ArchivePath() { return fixture->Path(QStringLiteral("Clienti.pro")); }
    void WriteArchive(int clients)
    {
        std::vector<TSchedaCliente> all;
        for (int n = 1; n <= clients; ++n)
            all.push_back(Numbered(n));
        WriteRecords<ClientLayout>(all);
    }
    void Open(SheetScreen* shown = nullptr)
    {
        if (!shown)
            shown = screen();
        shown->ShowScreen();
        QVERIFY(QTest::qWaitForWindowActive(shown));
    }
    QStringList MessageTexts()
    {
        QStringList texts;
        for (const ShownMessage& message : messages->shown)
            texts.append(message.text);
        return texts;
    }
    QWidget* Focused()
    {
        QWidget* focus = QApplication::focusWidget();
        if (focus && qobject_cast<ProvinceBox*>(focus->parentWidget()))
            return focus->parentWidget();
        return focus;
    }

private slots:
    void init()
    {
        fixture = std::make_unique<ProgramFixture>();
        messages = std::make_unique<MessageRecorder>();
    }
    void cleanup()
    {
        messages.reset();
        fixture.reset();
    }

    void firstShowingIsAnEmptyNewSheet()
    {
        Open();
        QCOMPARE(screen()->windowTitle(), QStringLiteral(" Velorbis 4.0 - Anagrafica Clienti"));
        for (const auto& [box, field] : BoxFields()) {
            QCOMPARE(Text(box), QString());
            QCOMPARE(EditOf(Child(screen(), box))->maxLength(), int(TSchedaCliente::FieldSpecOf(field).width));
            QVERIFY(Child(screen(), (QStringLiteral("eff") + QString::fromLatin1(box).mid(3)).toLatin1().constData()));
        }
        QVERIFY(Position().isEmpty());
        QVERIFY(!Mark()->isChecked());
        QCOMPARE(Mark()->text(), QStringLiteral("Da ricontattare"));
        QCOMPARE(Focused(), Child(screen(), "txtCliente"));
        QCOMPARE(Child<QLabel>(screen(), "panInfo")->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));
        for (const char* command : {"cmdNuovo", "cmdDuplica", "cmdFile", "cmdSalva", "cmdTrova", "cmdAnteprima",
                                    "cmdStampa", "cmdPDF", "cmdRicontatta", "cmdEsporta", "cmdGuida", "cmdEsci",
                                    "cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo", "imgDecoro"})
            QVERIFY2(Child(screen(), command) && Child(screen(), command)->isVisible(), command);

        QVERIFY(!QFile::exists(ArchivePath()));
        Click(Child(screen(), "cmdPrimo"));
        QVERIFY(!QFile::exists(ArchivePath())); // browsing only reads: no file is made for it
        QCOMPARE(MessageTexts(), QStringList{EmptyArchive});
        QCOMPARE(messages->shown.at(0).kind, MessageKind::Information);
    }

    // Each step is "command=position", with "!" when the empty-archive message follows.
    void navigation_data()
    {
        QTest::addColumn<int>("clients");
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("three clients")
            << 3
            << QStringList{"cmdPrimo=1", "cmdAvanti=2", "cmdAvanti=3", "cmdAvanti=3", "cmdUltimo=3",
                           "cmdIndietro=2", "cmdIndietro=1", "cmdIndietro=1", "cmdNuovo=", "cmdAvanti=1",
                           "cmdNuovo=", "cmdIndietro=1"};
        QTest::newRow("empty archive") << 0 << QStringList{"cmdAvanti=!", "cmdIndietro=!", "cmdUltimo=!"};
    }
    void navigation()
    {
        QFETCH(int, clients);
        QFETCH(QStringList, steps);
        WriteArchive(clients);
        Open();
        for (const QString& step : steps) {
            messages->shown.clear();
            const QStringList parts = step.split(u'=');
            QString expected = parts.at(1);
            const bool saysEmpty = expected.endsWith(u'!');
            expected.remove(u'!');
            Click(Child(screen(), parts.at(0).toLatin1().constData()));
            QVERIFY2(Position() == expected, qPrintable(step + QStringLiteral(": ") + Position()));
            QCOMPARE(MessageTexts(), saysEmpty ? QStringList{EmptyArchive} : QStringList{});
            if (!expected.isEmpty())
                QCOMPARE(Text("txtCliente"), QStringLiteral("Cliente %1").arg(expected));
        }
    }

    void save_data()
    {
        QTest::addColumn<int>("clients");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<int>("source"); // 0: typed from scratch; n: stored client n
        QTest::addColumn<QStringList>("expectedMessages");
        QTest::addColumn<QString>("position");
        QTest::newRow("new client into an empty archive") << 0 << QStringList{} << 0 << QStringList{Inserted} << "1";
        QTest::newRow("client 2 of 3 overwritten")
            << 3 << QStringList{"cmdPrimo", "cmdAvanti"} << 2 << QStringList{Modified} << "2";
        QTest::newRow("duplicate of client 2 appended, mark kept, no attachments")
            << 3 << QStringList{"cmdPrimo", "cmdAvanti", "cmdDuplica"} << 2 << QStringList{Duplicated, Inserted}
            << "4";
    }
    void save()
    {
        QFETCH(int, clients);
        QFETCH(QStringList, commands);
        QFETCH(int, source);
        QFETCH(QStringList, expectedMessages);
        QFETCH(QString, position);
        WriteArchive(clients);
        Open();
        for (const QString& command : commands)
            Click(Child(screen(), command.toLatin1().constData()));
        TSchedaCliente expected;
        if (source == 0) {
            SetText("txtCliente", QStringLiteral("  Rossi  "));
            expected.Set(CF::Cliente, u"Rossi");
            expected.Set(CF::Ricontatta, MarkNo);
        } else {
            expected = Numbered(source);
            if (commands.contains(QStringLiteral("cmdDuplica"))) {
                expected.Set(CF::File01, u"");
                expected.Set(CF::Desc01, u"");
                QVERIFY(Mark()->isChecked());
            }
        }
        SetText("txtZona", QStringLiteral(" Nord\t"));
        expected.Set(CF::Zona, u"Nord");
        Click(Child(screen(), "cmdSalva"));
        QCOMPARE(MessageTexts(), expectedMessages);
        QCOMPARE(Position(), position);
        const int after = qMax(clients, position.toInt());
        QCOMPARE(QFileInfo(ArchivePath()).size(), qint64(after * S));
        for (int n = 1; n <= after; ++n)
            QCOMPARE(Fields(StoredRecord<ClientLayout>(n)), Fields(n == position.toInt() ? expected : Numbered(n)));
        QCOMPARE(Text("txtZona"), QStringLiteral(" Nord\t"));
        messages->shown.clear();
        Click(Child(screen(), "cmdSalva"));
        QCOMPARE(MessageTexts(), QStringList{Modified});
        QCOMPARE(QFileInfo(ArchivePath()).size(), qint64(after * S));
    }

    void saveNeedsTheName()
    {
        Open();
        SetText("txtCliente", QStringLiteral(" \t "));
        Child(screen(), "txtNote")->setFocus();
        Click(Child(screen(), "cmdSalva"));
        QCOMPARE(MessageTexts(),
                 QStringList{QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome del Cliente.")});
        QCOMPARE(messages->shown.at(0).kind, MessageKind::Warning);
        QCOMPARE(Focused(), Child(screen(), "txtCliente"));
        QVERIFY(!QFile::exists(ArchivePath()));
    }

    void duplicateOfANewSheetOnlyWarns()
    {
        Open();
        SetText("txtCliente", QStringLiteral("Rossi"));
        Click(Child(screen(), "cmdDuplica"));
        QCOMPARE(MessageTexts(), QStringList{QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire "
                                                            "soltanto dopo che questa è stata inserita in archivio.")});
        QCOMPARE(Text("txtCliente"), QStringLiteral("Rossi"));
    }

    void markFollowsTheStoredValue_data()
    {
        QTest::addColumn<bool>("before");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("after");
        QTest::newRow("Sì ticks") << false << QStringLiteral("Sì") << true;
        QTest::newRow("No clears") << true << QStringLiteral("No") << false;
        QTest::newRow("empty leaves it ticked") << true << QString() << true;
        QTest::newRow("sì in lower case leaves it clear") << false << QStringLiteral("sì") << false;
    }
    void markFollowsTheStoredValue()
    {
        QFETCH(bool, before);
        QFETCH(QString, stored);
        QFETCH(bool, after);
        TSchedaCliente client = Numbered(1);
        client.Set(CF::Ricontatta, T(stored));
        WriteRecords<ClientLayout>({client});
        Open();
        Mark()->setChecked(before);
        Click(Child(screen(), "cmdPrimo"));
        QCOMPARE(Mark()->isChecked(), after);
    }

    // What each kind of box does with typed keys.
    void boxKinds_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("whileTyping");
        QTest::addColumn<QString>("afterLeaving");
        QTest::newRow("fiscal code upper-cased") << "txtCodFisc" << " rssmra80" << "RSSMRA80" << "RSSMRA80";
        QTest::newRow("IBAN upper-cased") << "txtIban" << "it60x" << "IT60X" << "IT60X";
        QTest::newRow("sex upper-cased, accents stay") << "txtSesso" << "à" << "à" << "à";
        QTest::newRow("sex letter") << "txtSesso" << "f" << "F" << "F";
        QTest::newRow("postal code not trimmed") << "txtCapRes" << "ab1 " << "AB1 " << "AB1 ";
        QTest::newRow("postal code after a leading blank") << "txtCapRes" << " ab1" << " AB1" << " AB1";
        QTest::newRow("e-mail trimmed at each key") << "txtEmail" << " a@b.it " << "a@b.it" << "a@b.it";
        QTest::newRow("card digits only") << "txtCarta" << "41-11 a1" << "41111" << "41111";
        QTest::newRow("VAT digits only") << "txtPartitaIva" << "0123x45" << "012345" << "012345";
        QTest::newRow("province: two typed letters stay") << "txtProvNasc" << "e" << "E" << "E";
        QTest::newRow("province: r is not completed to RA") << "txtProvRes" << "r" << "R" << "R";
        QTest::newRow("province: free pair") << "txtProvRes" << "zz" << "ZZ" << "ZZ";
        QTest::newRow("date of birth free text") << "txtDataNasc" << "1/2/80 " << "1/2/80 " << "1/2/80 ";
    }
    void boxKinds()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, whileTyping);
        QFETCH(QString, afterLeaving);
        Open();
        QWidget* widget = Child(screen(), box.toLatin1().constData());
        widget->setFocus();
        Type(QApplication::focusWidget(), typed);
        QCOMPARE(Text(box.toLatin1().constData()), whileTyping);
        Child(screen(), "txtNote")->setFocus();
        QCOMPARE(Text(box.toLatin1().constData()), afterLeaving);
    }

    void provinceBoxesOfBothSheets_data()
    {
        QTest::addColumn<Archive>("archive");
        QTest::addColumn<QString>("box");
        QTest::newRow("database sheet") << Archive::Database << "txtProvRes";
        QTest::newRow("client sheet, birth") << Archive::Clients << "txtProvNasc";
        QTest::newRow("client sheet, residence") << Archive::Clients << "txtProvRes";
    }
    // The list only offers: a typed letter is not completed, a code is taken when picked, and
    // taking the focus resets the list's selection and keeps the text.
    void provinceBoxesOfBothSheets()
    {
        QFETCH(Archive, archive);
        QFETCH(QString, box);
        Open(sheet(archive));
        auto* province = Child<ProvinceBox>(sheet(archive), box.toLatin1().constData());
        province->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("e"));
        province->nextInFocusChain()->setFocus();
        QCOMPARE(province->text(), QStringLiteral("E"));
        province->setCurrentIndex(ProvinceBox::Codes().indexOf(QStringLiteral("MI")));
        QCOMPARE(province->text(), QStringLiteral("MI"));
        province->setCurrentIndex(-1);
        province->setText(QStringLiteral("xy"));
        province->setFocus();
        QCOMPARE(province->text(), QStringLiteral("xy"));
    }

    void lettersTheArchiveCannotHoldAreReplacedAsTyped_data()
    {
        QTest::addColumn<Archive>("archive");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("database sheet, name") << Archive::Database << "txtCliente" << int(DatabaseField::Cliente)
                                              << "Ștefan Łukasz" << "Stefan Lukasz";
        QTest::newRow("database sheet, generic field") << Archive::Database << "txtCampo07"
                                                       << int(DatabaseField::Campo07) << "Zażółć €5" << "Zazólc €5";
        QTest::newRow("client sheet, name") << Archive::Clients << "txtCliente" << int(CF::Cliente) << "Ștefan"
                                            << "Stefan";
        QTest::newRow("client sheet, province") << Archive::Clients << "txtProvNasc" << int(CF::ProvNasc) << "ș"
                                                << "S";
    }
    // What a box shows is what saving stores: nothing is replaced behind the user's back.
    void lettersTheArchiveCannotHoldAreReplacedAsTyped()
    {
        QFETCH(Archive, archive);
        QFETCH(QString, box);
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Open(sheet(archive));
        for (const char* required : {"txtCampo01", "txtCliente"})
            if (QWidget* widget = sheet(archive)->findChild<QWidget*>(QString::fromLatin1(required)))
                TextBoxes::ShowText(widget, QStringLiteral("x"));
        QWidget* widget = Child(sheet(archive), box.toLatin1().constData());
        widget->setFocus();
        EditOf(widget)->clear();
        Type(QApplication::focusWidget(), typed);
        QCOMPARE(TextBoxes::TextOf(widget), shown);
        Click(Child(sheet(archive), "cmdSalva"));
        QCOMPARE(MessageTexts(), QStringList{Inserted});
        if (archive == Archive::Clients) {
            QCOMPARE(Q(StoredRecord<ClientLayout>(1).Get(static_cast<CF>(field))), shown);
        } else {
            QFile file(fixture->Path(QStringLiteral("Database.pro")));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QCOMPARE(bytes.size(), qsizetype(TSchedaDatabase::Size));
            TSchedaDatabase record;
            std::memcpy(record.data(), bytes.constData(), TSchedaDatabase::Size);
            QCOMPARE(Q(record.Get(static_cast<DatabaseField>(field))), shown);
        }
    }

    // Hovering decides the status line: field titles, boxes and section pictures leave it; the
    // sections, their white picture boxes, the command column, the strips empty it.
    void statusLineOverTheScreen_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("empties");
        QTest::newRow("field title") << "titCliente" << QPoint(4, 4) << false;
        QTest::newRow("box") << "txtCliente" << QPoint(4, 4) << false;
        QTest::newRow("section picture") << "icoSezione01" << QPoint(26, 26) << false;
        QTest::newRow("white picture box") << "shpIconaSez01" << QPoint(3, 3) << true;
        QTest::newRow("section") << "shpSezione01" << QPoint(84, 4) << true;
        QTest::newRow("command column") << "shpComandi" << QPoint(4, 480) << true;
        QTest::newRow("status text") << "panInfo" << QPoint(300, 16) << true;
        QTest::newRow("status strip") << "shpInfo" << QPoint(3, 16) << true;
        QTest::newRow("navigation strip") << "shpNavigazione" << QPoint(2, 2) << true;
        QTest::newRow("position") << "lblPosizione" << QPoint(4, 4) << true;
        QTest::newRow("decoration") << "imgDecoro" << QPoint(10, 10) << true;
    }
    void statusLineOverTheScreen()
    {
        QFETCH(QString, control);
        QFETCH(QPoint, at);
        QFETCH(bool, empties);
        Open();
        screen()->showNormal(); // the whole design on the test's small screen
        screen()->resize(1040, 740);
        QVERIFY(QTest::qWaitForWindowExposed(screen()));
        auto* line = Child<QLabel>(screen(), "panInfo");
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(Child(screen(), "cmdNuovo"), &enter);
        const QString hover = line->text();
        QVERIFY(!hover.isEmpty());
        QWidget* target = Child(screen(), control.toLatin1().constData());
        QCOMPARE(screen()->childAt(target->mapTo(screen(), at)), target); // nothing covers that point
        QTest::mouseMove(target, at);
        QCOMPARE(line->text(), empties ? QString() : hover);
    }

    void longValuesShowTheirBeginning_data()
    {
        QTest::addColumn<Archive>("archive");
        QTest::addColumn<QString>("box");
        QTest::newRow("database sheet") << Archive::Database << "txtCampo07";
        QTest::newRow("client sheet") << Archive::Clients << "txtNote";
    }
    // A sheet put on screen shows each long value from its first character.
    void longValuesShowTheirBeginning()
    {
        QFETCH(Archive, archive);
        QFETCH(QString, box);
        const QString value = QStringLiteral("Barbieri Bianchi ") + QString(230, u'x');
        if (archive == Archive::Clients) {
            TSchedaCliente client = Numbered(1);
            client.Set(CF::Note, T(value));
            WriteRecords<ClientLayout>({client});
        } else {
            TSchedaDatabase record;
            record.Set(DatabaseField::Campo01, u"Titolo");
            record.Set(DatabaseField::Campo07, T(value));
            QFile file(fixture->Path(QStringLiteral("Database.pro")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(reinterpret_cast<const char*>(record.data()), qsizetype(TSchedaDatabase::Size));
        }
        Open(sheet(archive));
        Click(Child(sheet(archive), "cmdPrimo"));
        auto* edit = Child<QLineEdit>(sheet(archive), box.toLatin1().constData());
        QCOMPARE(edit->text(), value);
        QCOMPARE(edit->cursorPosition(), 0);
        QVERIFY(edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().left() < edit->width() / 4);
    }

    void enterChainAndTabOrder_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("order");
        QStringList boxes;
        for (const auto& [box, field] : BoxFields())
            boxes << QString::fromLatin1(box);
        QTest::newRow("Enter skips the mark and wraps") << int(Qt::Key_Return) << boxes + QStringList{"txtCliente"};
        QStringList tabs = boxes;
        tabs.insert(tabs.indexOf(QStringLiteral("txtNote")), QStringLiteral("chkRicontatta"));
        QTest::newRow("Tab visits the mark") << int(Qt::Key_Tab) << tabs;
    }
    void enterChainAndTabOrder()
    {
        QFETCH(int, key);
        QFETCH(QStringList, order);
        Open();
        QStringList visited{Focused()->objectName()};
        for (int i = 1; i < order.size(); ++i) {
            QWidget* focus = Focused();
            if (key == Qt::Key_Tab && TextBoxes::TextOf(focus).isNull() == false
                && (focus->objectName() == QStringLiteral("txtCarta")
                    || focus->objectName() == QStringLiteral("txtPartitaIva"))) {
                // The digits-only boxes swallow Tab; the user clicks on along the tab order.
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
    }

    void checkers_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("prefilled");
        QTest::newRow("empty fiscal code") << "btnCodFisc" << "txtCodFisc" << "" << "TfrmCodFisc" << "txtCodFisc" << "";
        QTest::newRow("fiscal code") << "btnCodFisc" << "txtCodFisc" << "rssmra80a01h501u" << "TfrmCodFisc"
                                     << "txtCodFisc" << "RSSMRA80A01H501U";
        QTest::newRow("digits go to the VAT check") << "btnCodFisc" << "txtCodFisc" << "01234567890"
                                                    << "TfrmPartitaIva" << "txtPartitaIva" << "01234567890";
        QTest::newRow("VAT number") << "btnPartitaIva" << "txtPartitaIva" << "0123456789" << "TfrmPartitaIva"
                                    << "txtPartitaIva" << "0123456789";
        QTest::newRow("card") << "btnCarta" << "txtCarta" << "4111111111111111" << "TfrmCarta" << "txtNumero"
                              << "4111111111111111";
        QTest::newRow("IBAN") << "btnIban" << "txtIban" << "it60x0542811101000000123456" << "TfrmIban" << "txtIban"
                              << "IT60X0542811101000000123456";
    }
    void checkers()
    {
        QFETCH(QString, command);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, tool);
        QFETCH(QString, box);
        QFETCH(QString, prefilled);
        Open();
        Child(screen(), field.toLatin1().constData())->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), typed);
        QString opened, received;
        WhenModal([&](QWidget* modal) {
            opened = QString::fromLatin1(modal->metaObject()->className());
            if (auto* input = Child<QLineEdit>(modal, box.toLatin1().constData()))
                received = input->text();
            Click(Child(modal, "btnChiudi"));
        });
        Click(Child(screen(), command.toLatin1().constData()));
        QCOMPARE(opened, tool);
        QCOMPARE(received, prefilled);
    }

    void mailButtonHandsOverOnlyTheAddress()
    {
        OpenedUrls urls;
        Open();
        SetText("txtEmail", QStringLiteral(" mario@example.it?bcc=x@y.it "));
        Click(Child(screen(), "btnEmail"));
        QCOMPARE(urls.urls, QList<QUrl>{QUrl(QStringLiteral("mailto:mario@example.it"))});
    }

    // Print, preview and PDF take what the sheet shows now, unsaved edits included.
    void printCommandsTakeTheShownSheet()
    {
        Open();
        Child<QLineEdit>(screen(), "txtCliente")->setText(QStringLiteral("Rossi Anna"));

        int printDialogs = 0;
        Printing::SetPrintDialogHandler([&](QPrinter&) {
            ++printDialogs;
            return false; // cancelled: nothing is printed, nothing is said
        });
        Click(Child(screen(), "cmdStampa"));
        Printing::SetPrintDialogHandler({});
        QCOMPARE(printDialogs, 1);
        QVERIFY(messages->shown.isEmpty());

        QString preview;
        WhenModal([&](QWidget* modal) {
            preview = QString::fromLatin1(modal->metaObject()->className());
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        Click(Child(screen(), "cmdAnteprima"));
        QCOMPARE(preview, QStringLiteral("QPrintPreviewDialog"));

        messages->answer = QMessageBox::No;
        Click(Child(screen(), "cmdPDF"));
        QVERIFY(QFileInfo(fixture->Path(QStringLiteral("Cliente.pdf"))).size() > 0);
        QCOMPARE(messages->shown.size(), 1);
        QCOMPARE(messages->shown.first().kind, MessageKind::Confirmation);
    }

    // As the tests' superuser: a Cliente.pdf whose write bits are off stays as it is and the
    // error is shown, with nothing asked; a replaced one keeps its rights.
    void aReadOnlyPdfIsNotReplacedAndAReplacedOneKeepsItsRights_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("0444") << 0444 << false;
        QTest::newRow("0400") << 0400 << false;
        QTest::newRow("0600") << 0600 << true;
        QTest::newRow("0640") << 0640 << true;
    }
    void aReadOnlyPdfIsNotReplacedAndAReplacedOneKeepsItsRights()
    {
        QFETCH(int, mode);
        QFETCH(bool, replaced);
        const QString path = fixture->Path(QStringLiteral("Cliente.pdf"));
        fixture->WriteFile(QStringLiteral("Cliente.pdf"), "earlier PDF");
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
        Open();
        Child<QLineEdit>(screen(), "txtCliente")->setText(QStringLiteral("Rossi Anna"));
        messages->answer = QMessageBox::No;
        Click(Child(screen(), "cmdPDF"));
        QCOMPARE(messages->shown.size(), 1);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        if (replaced) {
            QCOMPARE(messages->shown.first().kind, MessageKind::Confirmation);
            QVERIFY(file.readAll().startsWith("%PDF"));
        } else {
            QCOMPARE(messages->shown.first().kind, MessageKind::Error);
            QCOMPARE(messages->shown.first().text, QStringLiteral("Attenzione: impossibile scrivere il file PDF\n%1"
                                                                  "\n\nthe file is marked read-only")
                                                       .arg(QDir::toNativeSeparators(path)));
            QCOMPARE(file.readAll(), QByteArray("earlier PDF"));
        }
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &info), 0);
        QCOMPARE(int(info.st_mode & 07777), mode);
        QCOMPARE(QDir(fixture->folder.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".tmp")),
                 QStringList());
    }

    void guideHasNineParagraphs()
    {
        Open();
        QString title, text;
        WhenModal([&](QWidget* modal) {
            title = Child<QLabel>(modal, "lblTitolo")->text();
            text = Child<QPlainTextEdit>(modal, "txtGuida")->toPlainText();
            Click(Child(modal, "btnChiudi"));
        });
        Click(Child(screen(), "cmdGuida"));
        QCOMPARE(title, QStringLiteral("Anagrafica Clienti."));
        QCOMPARE(ClientHelpText().split(QStringLiteral("\r\n\r\n")).size(), 9);
        QVERIFY(ClientHelpText().startsWith(QStringLiteral("L'Anagrafica Clienti memorizza le informazioni")));
        QVERIFY(!text.isEmpty());
    }

    void hoverTexts_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::newRow("recontact") << "cmdRicontatta" << "Visualizza il riepilogo dei Clienti da ricontattare.";
        QTest::newRow("pdf") << "cmdPDF" << "Esporta la scheda in formato PDF.";
        QTest::newRow("mark") << "chkRicontatta" << "Annota che il Cliente è da ricontattare per questioni in sospeso.";
        QTest::newRow("e-mail") << "btnEmail" << "Invia una e-mail all'indirizzo indicato.";
        QTest::newRow("IBAN") << "btnIban" << "Controlla l'IBAN.";
    }
    void hoverTexts()
    {
        QFETCH(QString, control);
        QFETCH(QString, text);
        Open();
        auto* line = Child<QLabel>(screen(), "panInfo");
        // The mouse enters the control (sent directly: the test screen is smaller than the design).
        auto enter = [](QWidget* widget) {
            QEnterEvent event(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
            QApplication::sendEvent(widget, &event);
        };
        enter(Child(screen(), "btnCarta"));
        enter(Child(screen(), control.toLatin1().constData()));
        QCOMPARE(line->text(), text);
        enter(Child(screen(), "txtCliente")); // a box leaves the text
        QCOMPARE(line->text(), text);
    }
};

QTEST_MAIN(TstClientSheet)
#include "tst_clientsheet.moc"
