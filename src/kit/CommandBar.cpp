#include "kit/CommandBar.h"

#include "kit/StatusLine.h"
#include "kit/Widgets.h"

#include <QHash>

const QString CommandBar::TileStyle =
    QStringLiteral("background: white; border: 1px solid #B8C7DD; border-radius: 6px;");

CommandBar::CommandBar(QWidget* design, StatusLine* status) : m_design(design), m_status(status) {}

QWidget* CommandBar::AddTile(const char* name, const QRect& geometry, const QString& style)
{
    QWidget* tile = Widgets::NewShape(m_design, QString::fromLatin1(name), geometry, style);
    m_status->AddBackground(tile);
    return tile;
}

CommandPicture* CommandBar::AddCommand(const char* name, const QPixmap& face, const QRect& geometry,
                                       std::function<void()> action, const QString& hover)
{
    const QString commandName = QString::fromLatin1(name);
    auto* command = new CommandPicture(m_design, commandName, face);
    command->setGeometry(geometry);
    m_status->SetHoverText(command, hover.isEmpty() ? HoverText(commandName) : hover);
    QObject::connect(command, &CommandPicture::clicked, command, std::move(action));
    return command;
}

void CommandBar::Place(CommandPicture* command, const QPixmap& face, const QRect& geometry)
{
    command->setPixmap(face);
    command->setGeometry(geometry);
    command->raise();
}

QString CommandBar::HoverText(const QString& name)
{
    static const QHash<QString, QString> texts = {
        {QStringLiteral("cmdNuovo"), QStringLiteral("Prepara la schermata per la registrazione di una nuova scheda.")},
        {QStringLiteral("cmdDuplica"), QStringLiteral("Prepara la schermata per la registrazione di una nuova scheda "
                                                      "duplicando i dati correnti.")},
        {QStringLiteral("cmdSalva"), QStringLiteral("Salva la scheda corrente in archivio.")},
        {QStringLiteral("cmdTrova"), QStringLiteral("Trova una scheda in archivio.")},
        {QStringLiteral("cmdFile"), QStringLiteral("Allega file alla scheda corrente.")},
        {QStringLiteral("cmdAnteprima"), QStringLiteral("Visualizza l'anteprima di stampa.")},
        {QStringLiteral("cmdStampa"), QStringLiteral("Stampa la scheda corrente.")},
        {QStringLiteral("cmdPDF"), QStringLiteral("Esporta la scheda in formato PDF.")},
        {QStringLiteral("cmdPrimo"), QStringLiteral("Visualizza la prima scheda in archivio.")},
        {QStringLiteral("cmdIndietro"), QStringLiteral("Visualizza la scheda precedente in archivio.")},
        {QStringLiteral("cmdAvanti"), QStringLiteral("Visualizza la scheda successiva in archivio.")},
        {QStringLiteral("cmdUltimo"), QStringLiteral("Visualizza l'ultima scheda in archivio.")},
        {QStringLiteral("cmdEsporta"), QStringLiteral("Esporta le schede in archivio in un file di Microsoft Excel.")},
        {QStringLiteral("cmdGuida"), QStringLiteral("Visualizza la guida in linea.")},
        {QStringLiteral("cmdEsci"), QStringLiteral("Esci dalla schermata di lavoro corrente.")},
    };
    return texts.value(name);
}
