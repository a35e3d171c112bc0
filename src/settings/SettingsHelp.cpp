#include "settings/SettingsHelp.h"

#include "kit/HelpTexts.h"

#include <QStringList>

QString SettingsHelpTitle()
{
    return QStringLiteral("Impostazioni schermata di avvio e campi di testo.");
}

QString SettingsHelpText()
{
    const QStringList paragraphs{
        QStringLiteral("Facendo clic sulla scritta Impostazioni presente nella finestra di partenza del software "
                       "si accede a un ambiente che consente sia di personalizzare la schermata di avvio sia "
                       "di specificare il nome del database da creare e di indicare quali dovranno essere i "
                       "titoli che appariranno in cima alle caselle che compongono le schede dell'archivio."),
        QStringLiteral("Con il pulsante \"Imposta schermata di avvio\" si sceglie l'immagine mostrata all'avvio "
                       "del programma: il pulsante \"Carica immagine\" sostituisce l'immagine predefinita con "
                       "un'immagine a propria scelta in formato JPEG o Bitmap, per esempio il logo della ditta. I due "
                       "piccoli pulsanti accanto all'immagine permettono di cancellarla, lasciando lo spazio "
                       "bianco, oppure di ripristinare l'immagine predefinita."),
        QStringLiteral("Nella stessa schermata si scrivono, sopra l'immagine, il nome dell'archivio, che è "
                       "obbligatorio e compare anche in cima alle schede del database, e, sotto l'immagine, un "
                       "sottotitolo facoltativo, per esempio una breve descrizione del contenuto dell'archivio."),
        QStringLiteral("Con il pulsante \"Imposta campi di testo\" si scrivono i titoli dei quattordici campi "
                       "delle schede. Il primo titolo è obbligatorio, gli altri possono restare vuoti. Mentre "
                       "si scrive, l'etichetta sopra ogni casella mostra il titolo esattamente come apparirà "
                       "nella scheda: se il titolo è troppo lungo per lo spazio disponibile, la parte che non "
                       "si vede nell'etichetta non comparirà neppure nella scheda. I primi sei campi saranno i "
                       "filtri della ricerca delle schede."),
        QStringLiteral("In entrambe le schermate il pulsante \"Applica e chiudi\" salva le impostazioni, mentre "
                       "\"Annulla\" chiude la schermata senza salvare nulla; in tutti e due i casi si torna alla "
                       "schermata di avvio. Terminate le impostazioni, il database è pronto per l'uso: per "
                       "iniziare a inserire le schede basta fare clic su Database nella schermata di avvio."),
    };
    return paragraphs.join(HelpParagraphSeparator());
}
