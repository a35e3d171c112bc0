#include "app/StartMenuHelp.h"

#include "kit/HelpTexts.h"

#include <QStringList>

QString OverviewHelpTitle()
{
    return QStringLiteral("Uno sguardo a Velorbis 4.0.");
}

QString OverviewHelpText()
{
    const QStringList paragraphs{
        // What the program is.
        QStringLiteral("Velorbis 4.0 è un software che consente, in pochi secondi, di crearsi un database "
                       "personalizzato dotato di un'avanzata funzione di ricerca. Ogni scheda dell'archivio "
                       "contiene quattordici campi di testo ai quali è l'utente stesso a dare un titolo: il "
                       "database può quindi raccogliere informazioni di qualsiasi genere, come prodotti, "
                       "pratiche, immobili, libri, fornitori o appuntamenti."),
        QStringLiteral("Accanto al database personalizzato il programma mette a disposizione un'Anagrafica "
                       "Clienti, un secondo archivio già pronto all'uso nel quale registrare i dati "
                       "anagrafici, i recapiti, i dati fiscali e le modalità di pagamento delle persone e "
                       "delle aziende con cui si lavora."),
        QStringLiteral("I due archivi possono essere collegati tra loro: ogni scheda del database contiene un "
                       "riquadro dedicato ai dati di contatto (cognome e nome, indirizzo, comune, provincia, "
                       "e-mail, recapito preferenziale, codice fiscale e partita IVA) che può essere compilato "
                       "a mano oppure riempito in un istante importando i dati di un Cliente già presente "
                       "nell'Anagrafica."),

        // Settings.
        QStringLiteral("Prima di inserire le schede conviene personalizzare l'archivio. Facendo clic su "
                       "Impostazioni nella schermata di avvio e poi sul pulsante \"Imposta campi di testo\" si "
                       "stabiliscono i titoli che appariranno in cima alle caselle di testo delle schede del "
                       "database: per esempio Titolo, Autore ed Editore per una biblioteca, oppure Codice, "
                       "Descrizione e Prezzo per un catalogo di prodotti."),
        QStringLiteral("Il titolo del primo campo è obbligatorio, perché il primo campo identifica la scheda e "
                       "deve essere sempre compilato; gli altri titoli possono restare vuoti. I primi sei campi "
                       "diventano inoltre i filtri della ricerca: è quindi opportuno riservarli alle "
                       "informazioni in base alle quali si prevede di cercare più spesso le schede."),
        QStringLiteral("Con il pulsante \"Imposta schermata di avvio\" si indicano invece il nome "
                       "dell'archivio, un sottotitolo e l'immagine mostrati nella schermata di avvio. Al posto "
                       "dell'immagine predefinita si può caricare il logo della propria ditta o qualsiasi "
                       "altra immagine in formato JPEG o Bitmap."),

        // Working with database sheets.
        QStringLiteral("Facendo clic su Database nella schermata di avvio si apre la scheda del database. "
                       "Nella parte superiore si trovano i quattordici campi con i titoli scelti nelle "
                       "impostazioni e la casella Segnala; più in basso il riquadro con i dati di contatto e, "
                       "in fondo, le caselle per una chiave di ricerca su Internet e per l'indirizzo di un sito "
                       "web. Una riga di stato descrive il comando sul quale si trova il puntatore del mouse."),
        QStringLiteral("Per compilare il riquadro dei dati di contatto con i dati di un Cliente basta fare clic "
                       "sulla piccola immagine accanto alla casella del cognome e nome: si apre la ricerca "
                       "nell'Anagrafica Clienti e, con un doppio clic sul Cliente desiderato, il nome, "
                       "l'indirizzo, il comune, la provincia, l'e-mail, il recapito preferenziale, il codice "
                       "fiscale e la partita IVA vengono copiati nella scheda."),
        QStringLiteral("Nella casella posta sotto il logo di Google si possono scrivere le parole con cui "
                       "cercare su Internet informazioni legate alla scheda: il pulsante \"Cerca con Google\" "
                       "avvia la ricerca nel browser. Nella casella Sito Internet si annota invece l'indirizzo "
                       "di un sito, che il pulsante \"Vai\" apre direttamente."),
        QStringLiteral("Per inserire una nuova scheda si fa clic su Nuovo, si compilano i campi (sono "
                       "obbligatori soltanto il primo campo e il cognome e nome) e si preme Salva. Per "
                       "modificare una scheda già presente in archivio è sufficiente visualizzarla, apportare "
                       "le modifiche e premere di nuovo Salva. I pulsanti con le frecce mostrano la prima, la "
                       "precedente, la successiva e l'ultima scheda, il cui numero appare tra le frecce."),
        QStringLiteral("Il pulsante Trova apre la ricerca, che consente di rintracciare le schede indicando una "
                       "chiave parziale in uno o più dei dieci campi proposti: i primi sei campi del database, "
                       "il cognome e nome, il comune, il codice fiscale e la partita IVA. Basta scrivere una o "
                       "più parole consecutive, o anche solo una parte di una parola, senza badare alle "
                       "maiuscole: vengono elencate le schede che soddisfano tutti i filtri compilati e un "
                       "doppio clic su una riga dell'elenco apre la scheda corrispondente. L'elenco dei "
                       "risultati può anche essere stampato."),
        QStringLiteral("A ogni scheda si possono allegare fino a tre file, ciascuno accompagnato da una breve "
                       "descrizione: documenti, fotografie, fogli di calcolo o qualunque altro file. I file "
                       "scelti vengono copiati nella cartella Documenti_Allegati del programma e possono "
                       "essere aperti in seguito con il pulsante Apri; per conservare gli allegati occorre "
                       "salvare la scheda."),
        QStringLiteral("Il pulsante Duplica copia i dati della scheda visualizzata in una nuova scheda, senza "
                       "gli allegati: è comodo quando si devono registrare schede molto simili tra loro, perché "
                       "basta cambiare i dati diversi e premere Salva."),
        QStringLiteral("Spuntando la casella Segnala si aggiunge la scheda all'elenco dei record segnalati, da "
                       "usare come promemoria per le schede che richiedono attenzione. Il riepilogo dei record "
                       "segnalati elenca tutte queste schede e ne apre una con un doppio clic."),
        QStringLiteral("Con il pulsante Esporta l'intero database viene mostrato in una tabella e può essere "
                       "salvato nel file Database.xls, che si apre con Microsoft Excel o con un altro foglio "
                       "di calcolo compatibile per elaborare i dati, ordinarli o condividerli."),
        QStringLiteral("La scheda visualizzata può essere stampata su un foglio A4 con il pulsante Stampa; il "
                       "pulsante Anteprima mostra prima a video come apparirà la pagina stampata."),

        // Where the data lies.
        QStringLiteral("Tutte le schede del database sono registrate in un unico file, Database.pro, che si "
                       "trova nella cartella del programma insieme all'Anagrafica Clienti, alle impostazioni, "
                       "all'immagine della schermata di avvio e agli allegati. Per fare una copia di sicurezza "
                       "completa basta quindi copiare l'intera cartella del programma su un altro disco, su "
                       "una chiavetta o su un disco di rete."),
        QStringLiteral("Copiando la cartella del programma con un altro nome si ottiene un secondo archivio, del "
                       "tutto indipendente dal primo, con un proprio nome, propri campi, una propria immagine "
                       "e proprie schede: in questo modo si possono gestire, per esempio, un archivio dei "
                       "prodotti e un archivio delle pratiche senza che i dati si mescolino."),

        // The client registry.
        QStringLiteral("Facendo clic su Clienti nella schermata di avvio si apre l'Anagrafica Clienti. Ogni "
                       "scheda raccoglie il cognome e nome o la ragione sociale, i dati di nascita e di "
                       "residenza, i numeri di telefono e di fax, l'indirizzo e-mail, il codice fiscale e la "
                       "partita IVA, la modalità di pagamento, i dati della carta di credito e l'IBAN, gli "
                       "estremi di un documento, l'occupazione, lo stato civile, i titoli, i prodotti o servizi "
                       "di interesse, la zona di appartenenza, le questioni in sospeso e le note."),
        QStringLiteral("Accanto al codice fiscale, alla partita IVA, all'IBAN e al numero della carta di credito "
                       "si trovano dei pulsanti che ne controllano la correttezza: per la partita IVA viene "
                       "indicato anche l'ufficio che l'ha rilasciata e per la carta di credito il circuito di "
                       "appartenenza. Il pulsante accanto all'indirizzo e-mail apre il programma di posta con "
                       "un nuovo messaggio già indirizzato al Cliente."),
        QStringLiteral("Spuntando la casella \"Da ricontattare\", magari dopo aver annotato le questioni in "
                       "sospeso, si aggiunge il Cliente al riepilogo dei Clienti da ricontattare, che elenca "
                       "tutti i Clienti da richiamare e apre la scheda di ciascuno con un doppio clic."),
        QStringLiteral("Come nel database, il pulsante Duplica prepara una nuova scheda con gli stessi dati di "
                       "quella visualizzata. La ricerca dei Clienti offre dieci filtri: cognome e nome, comune "
                       "di residenza, partita IVA, codice fiscale, estremi del documento, occupazione, prodotti "
                       "e servizi di interesse, zona di appartenenza, questioni in sospeso e note."),
        QStringLiteral("Anche alle schede dei Clienti si possono allegare fino a tre file. Ogni scheda può essere "
                       "stampata, vista in anteprima oppure salvata come documento PDF nel file Cliente.pdf, "
                       "da conservare o inviare per posta elettronica; il pulsante Esporta salva l'intera "
                       "Anagrafica nel file Clienti.xls per Microsoft Excel."),

        // Portability and access.
        QStringLiteral("Poiché tutto ciò che serve si trova nella sua cartella, il programma funziona anche da "
                       "una chiavetta USB: basta copiarvi la cartella per portare con sé l'archivio e "
                       "consultarlo su un altro computer, senza installare nulla."),
        QStringLiteral("Una volta copiata la cartella, non occorre alcuna configurazione: all'avvio il "
                       "programma legge i propri dati dalla cartella in cui si trova e li salva nella stessa "
                       "cartella, così che ogni copia resta completa e autonoma."),
        QStringLiteral("L'accesso al programma è protetto da una password, che viene chiesta a ogni avvio. La "
                       "password può essere cambiata in qualsiasi momento con il pulsante \"Cambia password\" "
                       "della schermata di autenticazione: si indicano la vecchia password, la nuova e la sua "
                       "conferma, e da quel momento per entrare si usa la nuova password."),
    };
    return paragraphs.join(HelpParagraphSeparator());
}
