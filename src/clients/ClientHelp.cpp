#include "clients/ClientHelp.h"

#include "kit/HelpTexts.h"

#include <QStringList>

QString ClientHelpTitle()
{
    return QStringLiteral("Anagrafica Clienti.");
}

QString ClientHelpText()
{
    const QStringList paragraphs{
        QStringLiteral("L'Anagrafica Clienti memorizza le informazioni relative a persone o aziende allo scopo di "
                       "facilitare la compilazione delle schede del database personalizzato grazie ad una semplice "
                       "funzione di importazione dei dati dall'archivio."),
        QStringLiteral("Ogni scheda raccoglie i dati anagrafici del Cliente (nome o ragione sociale, nascita, sesso, "
                       "residenza), i recapiti telefonici e l'indirizzo e-mail, il codice fiscale, la partita IVA, "
                       "la carta di credito e l'IBAN, gli estremi di un documento, l'occupazione, lo stato civile, i "
                       "titoli, i prodotti o servizi di interesse, la zona di appartenenza, le questioni in sospeso "
                       "e le note."),
        QStringLiteral("Per inserire un nuovo Cliente fare clic su Nuovo, compilare i campi (il nome è obbligatorio) "
                       "e premere Salva. Per modificare una scheda, richiamarla con i pulsanti di scorrimento in "
                       "basso a destra o con la funzione Trova, apportare le modifiche e premere di nuovo Salva: la "
                       "scheda viene aggiornata nella stessa posizione dell'archivio."),
        QStringLiteral("Nel campo Questioni in sospeso si annotano le pratiche ancora aperte. Spuntando la casella "
                       "Da ricontattare il Cliente compare, dopo il salvataggio, nel riepilogo dei Clienti da "
                       "ricontattare, che si apre con il pulsante omonimo."),
        QStringLiteral("Il pulsante Duplica trasforma la scheda visualizzata, già presente in archivio, in una nuova "
                       "scheda con gli stessi dati ma senza file allegati: basta modificare ciò che serve e premere "
                       "Salva per aggiungerla all'archivio."),
        QStringLiteral("Il pulsante Trova apre la ricerca, che consente di filtrare le schede utilizzando fino a "
                       "dieci campi contemporaneamente; nell'elenco dei risultati un doppio clic su una voce "
                       "richiama la scheda corrispondente."),
        QStringLiteral("Con Allega file si possono associare alla scheda fino a tre documenti, che vengono copiati "
                       "nella cartella Documenti_Allegati del programma e restano sempre consultabili dalla scheda."),
        QStringLiteral("I pulsanti accanto al codice fiscale, alla partita IVA, alla carta di credito e all'IBAN ne "
                       "controllano la correttezza formale; il pulsante accanto all'indirizzo e-mail prepara un "
                       "nuovo messaggio di posta per il Cliente."),
        QStringLiteral("Anteprima, Stampa e Crea PDF producono la scheda su carta o in un file PDF; Esporta archivio "
                       "crea un foglio di lavoro di Microsoft Excel con i dati di tutti i Clienti."),
    };
    return paragraphs.join(HelpParagraphSeparator());
}
