#include "database/DatabaseHelp.h"

#include "kit/HelpTexts.h"

#include <QStringList>

QString DatabaseHelpTitle()
{
    return QStringLiteral("Gestione Database.");
}

QString DatabaseHelpText()
{
    const QStringList paragraphs{
        // The screen.
        QStringLiteral("Premendo il pulsante Database nella schermata di partenza del software, si entrerà "
                       "nell'ambiente di lavoro in cui gestire le schede. La schermata mostra una scheda alla "
                       "volta e si apre sempre su una scheda nuova e vuota, pronta per essere compilata; la barra "
                       "in alto raccoglie tutti i comandi disponibili e la riga di stato in fondo alla finestra "
                       "descrive il comando sul quale si trova il puntatore del mouse."),
        // What a sheet shows.
        QStringLiteral("Ogni scheda è composta da quattordici campi di testo, i cui titoli sono quelli scelti nelle "
                       "impostazioni dell'archivio, e dalla casella Segnala. Più in basso si trova il riquadro dei "
                       "dati di contatto: cognome e nome, via e numero civico, comune e provincia di residenza, "
                       "e-mail, recapito preferenziale, codice fiscale e partita IVA. L'immagine posta accanto al "
                       "cognome e nome apre la ricerca nell'Anagrafica Clienti e consente di importare con un "
                       "doppio clic i dati di contatto di un Cliente già registrato. In fondo alla scheda si possono "
                       "annotare una chiave di ricerca, da passare a Google con il pulsante \"Cerca con Google\", e "
                       "l'indirizzo di un sito Internet, da aprire con il pulsante \"Vai\"."),
        // Inserting and modifying.
        QStringLiteral("Per inserire una nuova scheda si preme Nuovo, si compilano i campi desiderati e si preme "
                       "Salva: sono obbligatori soltanto il primo campo e il cognome e nome. Il tasto Invio sposta "
                       "il cursore da una casella alla successiva. Per modificare una scheda già presente in "
                       "archivio è sufficiente visualizzarla con le frecce o con la ricerca, apportare le modifiche "
                       "e premere di nuovo Salva: la scheda viene aggiornata al suo posto. Le frecce mostrano la "
                       "prima, la precedente, la successiva e l'ultima scheda dell'archivio e tra di esse compare il "
                       "numero della scheda visualizzata. Le modifiche non salvate vanno perse quando si cambia "
                       "scheda o si esce dalla schermata."),
        // Searching.
        QStringLiteral("Il pulsante Trova apre la ricerca, che consente di rintracciare le schede indicando una "
                       "chiave parziale in uno o più dei dieci campi proposti: i primi sei campi del database, il "
                       "cognome e nome, il comune di residenza, il codice fiscale e la partita IVA. Basta scrivere "
                       "una parte del testo cercato, senza badare alle maiuscole: vengono elencate le schede che "
                       "soddisfano tutti i filtri compilati e un doppio clic su una riga dell'elenco apre la scheda "
                       "corrispondente."),
        // Attachments.
        QStringLiteral("Con il pulsante Allega file si possono associare alla scheda fino a tre file, ciascuno "
                       "accompagnato da una breve descrizione. I file scelti vengono copiati nella cartella "
                       "Documenti_Allegati del programma e possono essere riaperti in qualsiasi momento; gli "
                       "allegati vengono registrati nella scheda al successivo salvataggio."),
        // Duplicating.
        QStringLiteral("Il pulsante Duplica è utile quando si devono inserire più schede simili tra loro: dopo aver "
                       "visualizzato una scheda già salvata, premendo Duplica se ne ottiene una copia, priva degli "
                       "allegati, che si può modificare a piacere e che viene aggiunta all'archivio come nuova "
                       "scheda soltanto quando si preme Salva. La scheda originale resta invariata."),
        // The flag.
        QStringLiteral("Spuntando la casella Segnala e salvando la scheda, questa viene aggiunta all'elenco dei "
                       "record segnalati, che si apre con il pulsante dedicato nella barra dei comandi: è un modo "
                       "rapido per tenere a portata di mano le schede che richiedono attenzione. Anche dall'elenco "
                       "dei record segnalati un doppio clic su una riga riporta la scheda nella schermata di lavoro; "
                       "togliendo la spunta e salvando, la scheda esce dall'elenco."),
        // Export, print and preview.
        QStringLiteral("Il pulsante Esporta trasferisce tutte le schede dell'archivio in un file di Microsoft Excel, "
                       "che può essere aperto con qualsiasi foglio di calcolo compatibile. Il pulsante Stampa stampa "
                       "la scheda visualizzata, mentre Anteprima mostra a video come apparirà la pagina prima di "
                       "stamparla."),
        // Where the sheets lie.
        QStringLiteral("Tutte le schede del database sono conservate in un unico file, Database.pro, che si trova "
                       "nella cartella del programma insieme alle impostazioni e agli allegati. Per creare una copia "
                       "di sicurezza dell'archivio è quindi sufficiente copiare l'intera cartella del programma su un "
                       "altro disco o su una chiavetta; allo stesso modo, copiando la cartella su un altro computer "
                       "si porta con sé l'archivio completo."),
    };
    return paragraphs.join(HelpParagraphSeparator());
}
