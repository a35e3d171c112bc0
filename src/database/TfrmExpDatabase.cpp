#include "database/TfrmExpDatabase.h"

#include "kit/HelpTexts.h"
#include "database/DatabaseExport.h"

#include <QStringList>

TfrmExpDatabase::TfrmExpDatabase(QWidget* opener)
    : ExportTool(opener, {
                             .caption = QStringLiteral(" Esporta database in Microsoft Excel"),
                             .description = &DatabaseExport(),
                             .titleIcon = Pictures::Icon::Database,
                             .titleText = QStringLiteral("Esporta database in Microsoft Excel"),
                             .helpTitle = HelpTitle(),
                             .helpText = HelpText(),
                         })
{
}

QString TfrmExpDatabase::HelpTitle()
{
    return QStringLiteral("Esportazione database in Microsoft Excel.");
}

QString TfrmExpDatabase::HelpText()
{
    const QStringList paragraphs{
        QStringLiteral("Il pulsante Esporta archivio consente di esportare tutte le schede del database in un foglio "
                       "di lavoro di Microsoft Excel, che potrà essere aperto con qualsiasi software in grado di "
                       "gestire i file in formato XLS (ad esempio, con Open Office, Libre Office o Microsoft "
                       "Office)."),
        QStringLiteral("La tabella mostra tutte le schede dell'archivio, una per riga, nell'ordine in cui sono state "
                       "inserite. Prima di esportare si possono correggere direttamente nella tabella i quattordici "
                       "campi personalizzati, il comune, la provincia, la partita IVA, i filtri di ricerca, il sito "
                       "Internet e la segnalazione: le correzioni valgono soltanto per il file esportato e non "
                       "modificano le schede in archivio. Facendo clic sull'immagine di Excel il file Database.xls "
                       "viene creato immediatamente nella cartella del programma con il contenuto della tabella e, "
                       "al termine, il programma propone di aprirlo."),
        QStringLiteral("Una volta aperto nel foglio di calcolo, il file può essere salvato con il nome e nella "
                       "cartella che si preferiscono: conviene farlo, perché ogni nuova esportazione sostituisce "
                       "il file Database.xls senza chiedere conferma. Se il file è ancora aperto in un altro "
                       "programma che ne impedisce la sostituzione, l'esportazione non viene eseguita: basta "
                       "chiuderlo e ripetere l'operazione."),
    };
    return paragraphs.join(HelpParagraphSeparator());
}
