#include "clients/TfrmExpClienti.h"

#include "clients/ClientExport.h"
#include "kit/HelpTexts.h"

#include <QStringList>

TfrmExpClienti::TfrmExpClienti(QWidget* opener)
    : ExportTool(opener, {
                             .caption = QStringLiteral(" Esporta archivio Clienti in Microsoft Excel"),
                             .description = &ClientExport(),
                             .titleIcon = Pictures::Icon::Clients,
                             .titleText = QStringLiteral("Esporta archivio Clienti in Microsoft Excel"),
                             .helpTitle = HelpTitle(),
                             .helpText = HelpText(),
                         })
{
}

QString TfrmExpClienti::HelpTitle()
{
    return QStringLiteral("Esportazione archivio Clienti in Microsoft Excel.");
}

QString TfrmExpClienti::HelpText()
{
    const QStringList paragraphs{
        QStringLiteral("Il pulsante Esporta archivio consente di esportare i dati anagrafici di tutti i Clienti in "
                       "un foglio di lavoro di Microsoft Excel, che potrà essere aperto con qualsiasi software in "
                       "grado di gestire i file in formato XLS (ad esempio, con Open Office, Libre Office o "
                       "Microsoft Office)."),
        QStringLiteral("La tabella mostra tutti i Clienti dell'archivio, uno per riga, nell'ordine in cui sono stati "
                       "inseriti; alcune colonne si possono correggere direttamente nella tabella e le correzioni "
                       "valgono soltanto per il file esportato. Facendo clic sull'immagine di Excel il file "
                       "Clienti.xls viene creato immediatamente nella cartella del programma e, al termine, il "
                       "programma propone di aprirlo."),
        QStringLiteral("Una volta aperto nel foglio di calcolo, il file può essere salvato con il nome e nella "
                       "cartella che si preferiscono: ogni nuova esportazione sostituisce il file Clienti.xls senza "
                       "chiedere conferma."),
    };
    return paragraphs.join(HelpParagraphSeparator());
}
