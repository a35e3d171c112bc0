#include "app/Program.h"

#include "access/TfrmCambiaPassword.h"
#include "access/TfrmPassword.h"
#include "attachments/AttachmentFolder.h"
#include "attachments/TfrmAllegaCartella.h"
#include "backups/DailyCopy.h"
#include "backups/TfrmCopieSicurezza.h"
#include "checkers/TfrmCarta.h"
#include "checkers/TfrmCodFisc.h"
#include "checkers/TfrmIban.h"
#include "checkers/TfrmPartitaIva.h"
#include "app/ProgramFonts.h"
#include "clients/TfrmClienti.h"
#include "clients/TfrmTrovaClienti.h"
#include "database/TfrmDatabase.h"
#include "settings/TfrmImpostaAvvio.h"
#include "settings/TfrmImpostaCampi.h"
#include "settings/TfrmMenuImpostazioni.h"
#include "kit/Failures.h"
#include "kit/Formats.h"
#include "kit/Maker.h"
#include "kit/SheetTools.h"
#include "storage/ProgramFolder.h"
#include "storage/TemporaryFile.h"
#include "storage/Platform.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Windows fonts of the design mapped to fonts with the same metrics: those of the program
// folder when it carries them, otherwise the installed ones.
void SubstituteFonts(const QString& programFolder)
{
    if (!ProgramFonts::Load(programFolder))
        for (const char* file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
            if (QFileInfo::exists(QString::fromLatin1(file)))
                QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    QFont::insertSubstitutions(QStringLiteral("Verdana"), {QStringLiteral("Veranda"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), {QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Courier New"),
                               {QStringLiteral("Liberation Mono"), QStringLiteral("Cousine")});
}

void LoadItalianTexts(const QString& programFolder)
{
    auto* translator = new QTranslator(qApp);
    if (translator->load(QStringLiteral("qtbase_it"), programFolder + QStringLiteral("/translations"))
        || translator->load(QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    else
        delete translator;
}

// The tools the checkers, the attachments and the client search offer the sheet screens.
SheetTools::Openers SheetToolOpeners()
{
    return {
        .check = [](QWidget* opener, SheetTools::Check check, const QString& text) {
            switch (check) {
            case SheetTools::Check::FiscalCode: TfrmCodFisc::OpenFromSheet(opener, text); break;
            case SheetTools::Check::VatNumber: OpenTool<TfrmPartitaIva>(opener, text); break;
            case SheetTools::Check::Card: OpenTool<TfrmCarta>(opener, text); break;
            case SheetTools::Check::Iban: OpenTool<TfrmIban>(opener, text); break;
            }
        },
        .attachments = [](SheetScreen& served) { OpenTool<TfrmAllegaCartella>(served); },
        .clientSearch = [](SheetScreen& served, SheetTools::ClientPicked picked) {
            OpenTool<TfrmTrovaClienti>(served, std::move(picked));
        },
    };
}

// A copy of the program killed while it saved a file leaves the temporary file it was
// writing; the files of copies still running are theirs and stay.
void RemoveLeftTemporaryFiles()
{
    for (const std::filesystem::path& folder : {ProgramFolder(), attachments::Folder()})
        for (const FileError& failure : RemoveStaleTemporaryFiles(folder))
            Failures::Note(failure);
}

} // namespace

void PrepareApplication(const QString& programFolder)
{
    SetProgramFolder(platform::PathOfText(QDir(programFolder).absolutePath().toStdString()));
    static bool prepared = false;
    if (prepared)
        return;
    prepared = true;
    QApplication::setApplicationName(Maker::ProgramName);
    QApplication::setQuitOnLastWindowClosed(false);
    SubstituteFonts(programFolder);
    QApplication::setFont(QFont(QStringLiteral("Tahoma"), 9));
    LoadItalianTexts(programFolder);
    Formats::Apply();
}

Program::Program()
{
    RemoveLeftTemporaryFiles();
    m_password = new TfrmPassword(*this);
    m_avvio = new TfrmAvvio(*this);
    m_cambiaPassword = new TfrmCambiaPassword(*this);
    m_clienti = new TfrmClienti(*this, SheetToolOpeners());
    m_database = new TfrmDatabase(*this, SheetToolOpeners());
    m_impostaCampi = new TfrmImpostaCampi(*this);
    m_menuImpostazioni = new TfrmMenuImpostazioni(*this);
    m_impostaAvvio = new TfrmImpostaAvvio(*this);
}

Program::~Program()
{
    delete m_impostaAvvio;
    delete m_menuImpostazioni;
    delete m_impostaCampi;
    delete m_database;
    delete m_clienti;
    delete m_cambiaPassword;
    delete m_avvio;
    delete m_password;
}

QWidget* Program::Screen(WorkScreenId id) const
{
    switch (id) {
    case WorkScreenId::Login: return m_password;
    case WorkScreenId::StartMenu: return m_avvio;
    case WorkScreenId::ChangePassword: return m_cambiaPassword;
    case WorkScreenId::DatabaseSheet: return m_database;
    case WorkScreenId::ClientSheet: return m_clienti;
    case WorkScreenId::SettingsMenu: return m_menuImpostazioni;
    case WorkScreenId::FieldNames: return m_impostaCampi;
    case WorkScreenId::StartScreenSettings: return m_impostaAvvio;
    }
    return nullptr;
}

SheetScreen* Program::Sheet(Archive archive) const
{
    if (archive == Archive::Database)
        return m_database;
    return m_clienti;
}

void Program::ShowScreen(WorkScreenId id)
{
    QWidget* screen = Screen(id);
    if (auto* work = qobject_cast<WorkScreen*>(screen))
        work->ShowScreen();
    else if (auto* fixed = qobject_cast<FixedScreen*>(screen))
        fixed->ShowScreen();
}

void Program::ShowStartMenu()
{
    ShowScreen(WorkScreenId::StartMenu);
    if (!m_dailyCopyTried) {
        m_dailyCopyTried = true;
        backups::MakeDailyCopy(m_avvio);
    }
}

void Program::OpenBackups(QWidget* opener) { OpenTool<TfrmCopieSicurezza>(opener); }
void Program::ShowLogin() { ShowScreen(WorkScreenId::Login); }
void Program::ShowChangePassword() { ShowScreen(WorkScreenId::ChangePassword); }
void Program::ShowDatabase() { ShowScreen(WorkScreenId::DatabaseSheet); }
void Program::ShowClients() { ShowScreen(WorkScreenId::ClientSheet); }
void Program::ShowSettingsMenu() { ShowScreen(WorkScreenId::SettingsMenu); }
void Program::ShowFieldNames() { ShowScreen(WorkScreenId::FieldNames); }
void Program::ShowStartScreenSettings() { ShowScreen(WorkScreenId::StartScreenSettings); }

void Program::Start()
{
    m_ended = false;
    m_password->ShowScreen();
}

void Program::End()
{
    m_ended = true;
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    emit ended();
    QApplication::quit();
}
