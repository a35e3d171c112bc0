// Takes the README's screenshots: the start menu, the database sheet and the client sheet,
// each showing a few sample sheets, from a sample program folder made for the purpose.
// Usage: take_screenshots <output folder> [tools]   (run under Xvfb with the program's fonts)
// With "tools", the client registry's search, recontact list and export are taken as well.

#include "app/Program.h"
#include "app/TfrmAvvio.h"
#include "clients/TfrmClienti.h"
#include "clients/TfrmExpClienti.h"
#include "clients/TfrmRicontatta.h"
#include "clients/TfrmTrovaClienti.h"
#include "database/TfrmDatabase.h"
#include "kit/ScreenFlow.h"
#include "backups/DailyCopy.h"
#include "backups/TfrmCopieSicurezza.h"
#include "settings/TfrmMenuImpostazioni.h"
#include "storage/ProgramFolder.h"
#include "storage/Records.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>

namespace {

template <class Record>
void Append(const QString& path, const Record& record)
{
    QFile file(path);
    if (file.open(QIODevice::Append))
        file.write(reinterpret_cast<const char*>(record.data()), qsizetype(Record::Size));
}

void WriteSamples(const QDir& folder)
{
    QFile ini(folder.filePath(QStringLiteral("Archivio.ini")));
    if (ini.open(QIODevice::WriteOnly))
        ini.write("[Database]\r\nNome Archivio=Studio Tecnico Bianchi\r\nSottotitolo Archivio=Pratiche e perizie\r\n"
                  "[Nome Campi]\r\nCampo 01=Pratica\r\nCampo 02=Tipo\r\nCampo 03=Comune\r\nCampo 04=Foglio\r\n"
                  "Campo 05=Particella\r\nCampo 06=Stato\r\nCampo 07=Descrizione\r\nCampo 08=Apertura\r\n"
                  "Campo 09=Scadenza\r\nCampo 10=Documenti\r\nCampo 11=Tecnico\r\nCampo 12=Importo\r\n"
                  "Campo 13=Note interne\r\nCampo 14=Esito\r\n");
    const char16_t* names[] = {u"Rossi Mario", u"Verdi Anna", u"Esposito Luca"};
    for (int i = 0; i < 3; ++i) {
        TSchedaDatabase sheet;
        sheet.Set(DatabaseField::Campo01, i == 0 ? u"2024/118" : i == 1 ? u"2024/121" : u"2024/133");
        sheet.Set(DatabaseField::Campo02, u"Perizia di stima");
        sheet.Set(DatabaseField::Campo03, u"Roma");
        sheet.Set(DatabaseField::Campo04, u"412");
        sheet.Set(DatabaseField::Campo05, u"88");
        sheet.Set(DatabaseField::Campo06, u"In corso");
        sheet.Set(DatabaseField::Campo07, u"Sopralluogo effettuato, in attesa della planimetria catastale");
        sheet.Set(DatabaseField::Campo08, u"12/03/2024");
        sheet.Set(DatabaseField::Campo09, u"30/06/2024");
        sheet.Set(DatabaseField::Campo11, u"Geom. Bianchi");
        sheet.Set(DatabaseField::Campo12, u"1.200,00");
        sheet.Set(DatabaseField::Cliente, names[i]);
        sheet.Set(DatabaseField::IndirizzoRes, u"Via Garibaldi 12");
        sheet.Set(DatabaseField::ComuneRes, u"Roma");
        sheet.Set(DatabaseField::ProvRes, u"RM");
        sheet.Set(DatabaseField::Email, u"mario.rossi@example.it");
        sheet.Set(DatabaseField::Recapito, u"06 5551234");
        sheet.Set(DatabaseField::CodFisc, u"RSSMRA80A01H501U");
        sheet.Set(DatabaseField::PartitaIva, u"00743110157");
        sheet.Set(DatabaseField::Google, u"perizia immobile Roma");
        sheet.Set(DatabaseField::Web, u"https://www.example.it");
        sheet.Set(DatabaseField::Segnala, i == 0 ? MarkYes : MarkNo);
        Append(folder.filePath(QStringLiteral("Database.pro")), sheet);

        TSchedaCliente client;
        client.Set(ClientField::Cliente, names[i]);
        client.Set(ClientField::DataNasc, u"01/01/1980");
        client.Set(ClientField::ComuneNasc, u"Roma");
        client.Set(ClientField::ProvNasc, u"RM");
        client.Set(ClientField::Sesso, i == 1 ? u"F" : u"M");
        client.Set(ClientField::Recapito, u"06 5551234");
        client.Set(ClientField::IndirizzoRes, u"Via Garibaldi 12");
        client.Set(ClientField::ProvRes, u"RM");
        client.Set(ClientField::ComuneRes, u"Roma");
        client.Set(ClientField::CapRes, u"00153");
        client.Set(ClientField::Estremi, u"Bonifico a 30 giorni");
        client.Set(ClientField::TelCasa, u"06 5551234");
        client.Set(ClientField::TelCel, u"333 1234567");
        client.Set(ClientField::Email, u"mario.rossi@example.it");
        client.Set(ClientField::CodFisc, u"RSSMRA80A01H501U");
        client.Set(ClientField::PartitaIva, u"00743110157");
        client.Set(ClientField::Iban, u"IT60X0542811101000000123456");
        client.Set(ClientField::Documento, u"C.I. AY1234567 del 10/05/2019");
        client.Set(ClientField::Occupazione, u"Architetto");
        client.Set(ClientField::Civile, u"Coniugato");
        client.Set(ClientField::Prodotti, u"Perizie, certificazioni energetiche");
        client.Set(ClientField::Zona, u"Roma sud");
        client.Set(ClientField::Questioni, u"Inviare il preventivo per la seconda unità");
        client.Set(ClientField::Note, u"Preferisce essere contattato il mattino");
        client.Set(ClientField::Ricontatta, i == 0 ? MarkYes : MarkNo);
        Append(folder.filePath(QStringLiteral("Clienti.pro")), client);
    }
}

void Save(QWidget* screen, const QString& path)
{
    QTest::qWait(300);
    const QPixmap shot = screen->grab();
    shot.scaledToWidth(800, Qt::SmoothTransformation).save(path);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QTemporaryDir folder;
    WriteSamples(QDir(folder.path()));
    PrepareApplication(folder.path());
    Program program;

    program.ShowScreen(WorkScreenId::StartMenu);
    Save(program.Screen(WorkScreenId::StartMenu), out + QStringLiteral("/start-menu.png"));
    program.Screen(WorkScreenId::StartMenu)->hide();

    program.ShowScreen(WorkScreenId::DatabaseSheet);
    program.Database()->cmdPrimoClick();
    Save(program.Database(), out + QStringLiteral("/database-sheet.png"));
    program.Database()->hide();

    program.ShowScreen(WorkScreenId::ClientSheet);
    program.Clienti()->cmdPrimoClick();
    Save(program.Clienti(), out + QStringLiteral("/client-sheet.png"));

    if (argc > 2 && QString::fromLocal8Bit(argv[2]) == QStringLiteral("tools")) {
        TfrmTrovaClienti search(*program.Clienti(), [](const TSchedaCliente&, SheetPosition) {});
        search.show();
        Save(&search, out + QStringLiteral("/client-search.png"));
        search.btnCercaClick();
        Save(&search, out + QStringLiteral("/client-search-results.png"));
        search.hide();
        TfrmRicontatta recontact(*program.Clienti());
        recontact.show();
        Save(&recontact, out + QStringLiteral("/client-recontact.png"));
        recontact.hide();
        TfrmExpClienti exporter(program.Clienti());
        exporter.show();
        Save(&exporter, out + QStringLiteral("/client-export.png"));
        exporter.hide();
        program.Clienti()->hide();

        backups::BackupFolder(ProgramFolder()).MakeDailyCopy(backups::Now());
        program.ShowScreen(WorkScreenId::SettingsMenu);
        Save(program.MenuImpostazioni(), out + QStringLiteral("/settings-menu.png"));
        TfrmCopieSicurezza copies(program.MenuImpostazioni());
        copies.show();
        Save(&copies, out + QStringLiteral("/backups.png"));
    }
    return 0;
}
