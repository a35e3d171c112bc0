#pragma once

#include "access/AccessFlow.h"
#include "app/TfrmAvvio.h"
#include "settings/SettingsFlow.h"

#include <QObject>
#include <memory>

class TfrmPassword;
class TfrmCambiaPassword;
class TfrmClienti;
class TfrmDatabase;
class TfrmImpostaCampi;
class TfrmMenuImpostazioni;
class TfrmImpostaAvvio;
class SheetScreen;

// The program's work screens, as the tests name them.
enum class WorkScreenId {
    Login, StartMenu, ChangePassword, DatabaseSheet, ClientSheet, SettingsMenu, FieldNames, StartScreenSettings,
};

// The program's work screens, created once at start-up in their fixed order and alive
// until the program ends. Each screen is handed the program as its flow, through which it
// hands over to the next; the sheet screens are also handed the openers of the tools that
// other parts of the program offer them. Tools are not kept here: each use makes a fresh
// one. The first time the start menu is shown in a run, the archive gets its copy of the
// day. At start the program removes the temporary files that a copy of the program killed
// while saving left in the program folder and the attachments folder.
class Program : public QObject, public AccessFlow, public SettingsFlow, public StartMenuFlow {
    Q_OBJECT
public:
    Program();
    ~Program() override;

    // Shows the login screen, the program's main window.
    void Start();
    void End() override;
    bool Ended() const { return m_ended; }

    void ShowStartMenu() override;
    void ShowLogin() override;
    void ShowChangePassword() override;
    void ShowDatabase() override;
    void ShowClients() override;
    void ShowSettingsMenu() override;
    void ShowFieldNames() override;
    void ShowStartScreenSettings() override;
    void OpenBackups(QWidget* opener) override;

    QWidget* Screen(WorkScreenId id) const;
    SheetScreen* Sheet(Archive archive) const;
    // Shows a work screen (maximised or centred, with its show handling).
    void ShowScreen(WorkScreenId id);

    TfrmPassword* Password() const { return m_password; }
    TfrmAvvio* Avvio() const { return m_avvio; }
    TfrmCambiaPassword* CambiaPassword() const { return m_cambiaPassword; }
    TfrmClienti* Clienti() const { return m_clienti; }
    TfrmDatabase* Database() const { return m_database; }
    TfrmImpostaCampi* ImpostaCampi() const { return m_impostaCampi; }
    TfrmMenuImpostazioni* MenuImpostazioni() const { return m_menuImpostazioni; }
    TfrmImpostaAvvio* ImpostaAvvio() const { return m_impostaAvvio; }

signals:
    void ended();

private:
    TfrmPassword* m_password = nullptr;
    TfrmAvvio* m_avvio = nullptr;
    TfrmCambiaPassword* m_cambiaPassword = nullptr;
    TfrmClienti* m_clienti = nullptr;
    TfrmDatabase* m_database = nullptr;
    TfrmImpostaCampi* m_impostaCampi = nullptr;
    TfrmMenuImpostazioni* m_menuImpostazioni = nullptr;
    TfrmImpostaAvvio* m_impostaAvvio = nullptr;
    bool m_ended = false;
    bool m_dailyCopyTried = false;
};

// Sets up the process: locale formats, fonts that keep the layouts' proportions, Qt's
// Italian texts for standard buttons, and the program folder. Called once by main and by
// the screen tests.
void PrepareApplication(const QString& programFolder);
