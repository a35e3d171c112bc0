// Drives the program of a portable folder as a user would, from inside that folder: log in
// with the first-access password, open the client registry, type a client's name, save the
// sheet and write it as Cliente.pdf. It runs beside `velorbis` (so it uses the folder's
// libraries, plugins and fonts, and its data files are made there) and prints one line per
// step; `tools/bundle/test_bundle.sh` reads the PDF afterwards.
//
//   velorbis_bundle_check "<client name>"

#include "access/TfrmPassword.h"
#include "app/Program.h"
#include "app/ProgramFonts.h"
#include "app/TfrmAvvio.h"
#include "clients/TfrmClienti.h"
#include "kit/Messages.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

#include <cstdio>

namespace {

int failures = 0;
QStringList shown;

void Step(bool passed, const QString& what)
{
    std::printf("%s: %s\n", passed ? "ok" : "FAIL", qPrintable(what));
    std::fflush(stdout);
    if (!passed)
        ++failures;
}

QWidget* Control(QWidget* screen, const char* name)
{
    QWidget* control = screen ? screen->findChild<QWidget*>(QString::fromLatin1(name)) : nullptr;
    if (!control)
        Step(false, QStringLiteral("control %1 is there").arg(QString::fromLatin1(name)));
    return control;
}

void Settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void Click(QWidget* widget)
{
    if (!widget)
        return;
    const QPointF centre = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
    Settle();
}

// A key press and release per character, into the box that has the focus once it is clicked.
void Type(QWidget* box, const QString& text)
{
    if (!box)
        return;
    Click(box);
    box->setFocus();
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
        QApplication::sendEvent(box, &release);
    }
    Settle();
}

QStringList VisibleScreens()
{
    QStringList names;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible())
            names.append(QString::fromLatin1(window->metaObject()->className()));
    names.sort();
    return names;
}

QString TakeMessages()
{
    const QString texts = shown.join(QStringLiteral(" | "));
    shown.clear();
    return texts;
}

void Drive(Program& program, const QString& client)
{
    const QString folder = QApplication::applicationDirPath();
    const QString family = QFontInfo(QApplication::font()).family();
    Step(!QFontDatabase::applicationFontFamilies(0).isEmpty() && family == QStringLiteral("Tahoma"),
         QStringLiteral("the program draws with Tahoma from its own fonts (drawn with %1)").arg(family));

    program.Start();
    Settle();
    Type(Control(program.Password(), "txtPassword"), QStringLiteral("velorbis"));
    Click(Control(program.Password(), "cmdOK"));
    Step(VisibleScreens() == QStringList{QStringLiteral("TfrmAvvio")},
         QStringLiteral("the first-access password opens the start menu (%1; %2)")
             .arg(VisibleScreens().join(u','), TakeMessages()));

    Click(Control(program.Avvio(), "cmdClienti"));
    Step(VisibleScreens() == QStringList{QStringLiteral("TfrmClienti")},
         QStringLiteral("\"Clienti\" opens the client sheet (%1)").arg(VisibleScreens().join(u',')));

    QWidget* sheet = program.Clienti();
    Type(Control(sheet, "txtCliente"), client);
    Click(Control(sheet, "cmdSalva"));
    const QString saved = TakeMessages();
    Step(saved == QStringLiteral("La scheda corrente è stata inserita in archivio.")
             && QFileInfo(folder + QStringLiteral("/Clienti.pro")).size() > 0,
         QStringLiteral("the sheet is saved into Clienti.pro beside the executable (%1)").arg(saved));

    Click(Control(sheet, "cmdPDF"));
    const QString written = TakeMessages();
    Step(written.startsWith(QStringLiteral("L'esportazione della scheda in PDF è terminata con successo."))
             && QFileInfo(folder + QStringLiteral("/Cliente.pdf")).size() > 0,
         QStringLiteral("the sheet is written as Cliente.pdf beside the executable (%1)").arg(written));
}

} // namespace

int main(int argc, char* argv[])
{
    ProgramFonts::ChooseConfiguration();
    QApplication application(argc, argv);
    const QString client = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("Bianchi Anna");
    PrepareApplication(QApplication::applicationDirPath());
    // Every box is answered without being shown: OK, and "no" to opening the PDF.
    Messages::SetHandler([](MessageKind kind, const QString& text) {
        shown.append(text);
        return kind == MessageKind::Confirmation ? QMessageBox::No : QMessageBox::Ok;
    });
    Program program;
    // A step that waits for a window that never comes ends the check.
    QTimer::singleShot(120000, [] {
        Step(false, QStringLiteral("the steps end within two minutes"));
        QApplication::exit(1);
    });
    QTimer::singleShot(0, [&] {
        Drive(program, client);
        QApplication::exit(failures == 0 ? 0 : 1);
    });
    const int status = application.exec();
    Messages::SetHandler({});
    return status;
}
