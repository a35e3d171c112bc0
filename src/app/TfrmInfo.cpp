#include "app/TfrmInfo.h"

#include "kit/DesignColours.h"
#include "kit/Maker.h"
#include "kit/TMisc.h"
#include "kit/Widgets.h"

#include <QPushButton>

TfrmInfo::TfrmInfo(QWidget* opener)
    : ToolDialog(opener, QStringLiteral(" Informazioni su ") + Maker::ProgramName, QSize(473, 579))
{
    auto* imgLogo = Widgets::NewLabel(this, QStringLiteral("imgLogo"));
    imgLogo->setGeometry(0, 0, 473, 86);
    imgLogo->setPixmap(Pictures::Header(QSize(473, 86), Pictures::Icon::Information, QColor(0xF0, 0x8C, 0x00),
                                        QStringLiteral("Informazioni sul programma"), {}));

    auto* lblProgramma = Widgets::NewLabel(this, QStringLiteral("lblProgramma"), Maker::ProgramName);
    lblProgramma->setGeometry(24, 104, 425, 36);
    lblProgramma->setFont(Widgets::DesignFont(QStringLiteral("Arial"), 20, true));
    lblProgramma->setStyleSheet(DesignColours::TextStyle(DesignColours::Ink));

    auto* lblInformazioni = Widgets::NewLabel(this, QStringLiteral("lblInformazioni"), QStringLiteral(
        "Versione 4.0\n\n"
        "Velorbis è il programma con cui un piccolo ufficio tiene in ordine, sul proprio computer, "
        "un database di schede personalizzabile e l'anagrafica dei propri clienti: ricerca per più "
        "campi, elenchi, esportazione in Microsoft Excel, stampa, allegati e controllo di codice "
        "fiscale, partita IVA, carta di credito e IBAN.\n\n"
        "Tutti i dati restano nella cartella del programma: copiando la cartella si copia l'intero "
        "archivio.\n\n"
        "Per domande, suggerimenti o segnalazioni scrivi all'indirizzo qui sotto.\n\n") + Maker::CopyrightNotice);
    lblInformazioni->setGeometry(24, 146, 425, 340);
    lblInformazioni->setFont(Widgets::DesignFont(QStringLiteral("Tahoma"), 11));
    lblInformazioni->setWordWrap(true);
    lblInformazioni->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* imgEmail = new CommandPicture(this, QStringLiteral("imgEmail"),
                                        Pictures::IconPicture(Pictures::Icon::Envelope, 32, Maker::BrandBlue));
    imgEmail->setGeometry(16, 531, 32, 32);
    auto* lnkWeb = new LinkLabel(this, QStringLiteral("lnkWeb"), Maker::InfoEmail);
    lnkWeb->setGeometry(56, 533, 280, 28);
    lnkWeb->ShareWith(imgEmail);

    auto* btnChiudi = Widgets::NewButton(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"));
    btnChiudi->setGeometry(349, 529, 108, 36);
    btnChiudi->setFocus();

    connect(lnkWeb, &LinkLabel::clicked, this, &TfrmInfo::lnkWebClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmInfo::btnChiudiClick);
}

QString TfrmInfo::MailCommand()
{
    return u'"' + QStringLiteral("mailto:") + Maker::InfoEmail + QStringLiteral("?subject=")
           + QStringLiteral("Software ") + Maker::ProgramName + QStringLiteral("&body=")
           + QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in oggetto:") + u'"';
}

void TfrmInfo::lnkWebClick() { TMisc::Open(MailCommand()); }
void TfrmInfo::btnChiudiClick() { CloseTool(); }
