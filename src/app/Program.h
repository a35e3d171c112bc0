#pragma once

#include "kit/ScreenFlow.h"

#include <QObject>
#include <memory>

class TfrmPassword;
class TfrmAvvio;
class TfrmCambiaPassword;
class TfrmClienti;
class TfrmDatabase;
class TfrmImpostaCampi;
class TfrmMenuImpostazioni;
class TfrmImpostaAvvio;

// The program's work screens, created once at start-up in their fixed order and alive
// until the program ends; the screens reach one another through it as their ScreenFlow.
// Tools are not kept here: each use makes a fresh one. The program also installs the
// openers of the tools that one part of the program offers to the sheet screens, and
// removes the temporary files that a copy of the program killed while saving left in the
// program folder and the attachments folder.
class Program : public QObject, public ScreenFlow {
    Q_OBJECT
public:
    Program();
    ~Program() override;

    // Shows the login screen, the program's main window.
    void Start();
    void End() override;
    bool Ended() const { return m_ended; }

    QWidget* Screen(WorkScreenId id) const override;
    SheetScreen* Sheet(Archive archive) const override;
    void ShowScreen(WorkScreenId id) override;

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
};

// Sets up the process: locale formats, fonts that keep the layouts' proportions, Qt's
// Italian texts for standard buttons, and the program folder. Called once by main and by
// the screen tests.
void PrepareApplication(const QString& programFolder);
