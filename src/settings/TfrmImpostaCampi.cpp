#include "settings/TfrmImpostaCampi.h"

#include "kit/DesignColours.h"
#include "kit/Maker.h"
#include "kit/Icons.h"
#include "kit/Messages.h"
#include "kit/TextBoxes.h"
#include "kit/TextRules.h"
#include "kit/Widgets.h"
#include "storage/ArchiveSettings.h"
#include "kit/GenericFieldLayout.h"
#include "settings/SettingsPictures.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString TwoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

} // namespace

TfrmImpostaCampi::TfrmImpostaCampi(ScreenFlow& flow, QWidget* parent)
    : SettingsScreen(flow, Maker::Caption(QStringLiteral("Imposta campi di testo")), parent)
{
    QWidget* design = Design();
    auto* icoImpostazioni = Widgets::NewLabel(design, QStringLiteral("icoImpostazioni"));
    icoImpostazioni->setGeometry(24, 6, 64, 64);
    icoImpostazioni->setPixmap(Pictures::IconPicture(Pictures::Icon::Settings, 64, Maker::BrandBlue));
    auto* titImpostaCampi = Widgets::NewLabel(design, QStringLiteral("titImpostaCampi"));
    titImpostaCampi->setGeometry(104, 3, 620, 70);
    titImpostaCampi->setPixmap(SettingsPictures::Title(QStringLiteral("Imposta campi di testo"), 620));

    QWidget* bkgTitolo = Widgets::NewShape(design, QStringLiteral("bkgTitolo"), QRect(24, 78, 968, 34),
        DesignColours::TitleBandStyle(6));
    AddBackground(bkgTitolo);
    m_titNomeArchivio = Widgets::NewLabel(bkgTitolo, QStringLiteral("titNomeArchivio"), QStringLiteral("VELORBIS 4.0"));
    m_titNomeArchivio->setGeometry(8, 0, 952, 34);
    m_titNomeArchivio->setFont(Widgets::DesignFont(QStringLiteral("Arial"), 16, true));
    m_titNomeArchivio->setStyleSheet(QStringLiteral("color: #FFF5EE;"));
    m_titNomeArchivio->setAlignment(Qt::AlignCenter);

    for (int number = 1; number <= GenericFieldCount; ++number) {
        auto* title = Widgets::NewLabel(design, QStringLiteral("titCampo") + TwoDigits(number),
                                        QStringLiteral("Campo %1:").arg(number));
        title->setGeometry(GenericFieldLayout::TitleRect(number));
        title->setFont(GenericFieldLayout::TitleFont());
        title->setStyleSheet(DesignColours::TextStyle(DesignColours::Ink));
        title->setWordWrap(false);
        QLineEdit* box = Widgets::NewLineEdit(design, QStringLiteral("txtCampo") + TwoDigits(number));
        box->setGeometry(GenericFieldLayout::BoxRect(number));
        box->setFont(GenericFieldLayout::BoxFont());
        TextBoxes::AttachHighlightFrame(box);
        box->installEventFilter(this);
        const int index = number - 1;
        connect(box, &QLineEdit::textEdited, this, [this, index] { txtCampoKeyUp(index); });
        m_titles.append(title);
        m_boxes.append(box);
    }
    TextBoxes::SetEnterChain(QList<QWidget*>(m_boxes.begin(), m_boxes.end()), true);

    auto* icoFaldoni = Widgets::NewLabel(design, QStringLiteral("icoFaldoni"));
    icoFaldoni->setGeometry(24, 440, 110, 110);
    icoFaldoni->setPixmap(Icons::Picture(QStringLiteral("settings/folders"), 110));
    auto* icoIstruzioni01 = Widgets::NewLabel(design, QStringLiteral("icoIstruzioni01"));
    icoIstruzioni01->setGeometry(150, 420, 560, 192);
    icoIstruzioni01->setPixmap(SettingsPictures::Instructions(QSize(560, 192), {
        QStringLiteral("Inserire in ciascuna casella il titolo del campo di testo corrispondente."),
        QStringLiteral("Il primo campo è obbligatorio."),
        QStringLiteral("L'etichetta sopra ogni casella mostra la parte del titolo che sarà visibile nella scheda: "
                       "un titolo più lungo viene tagliato."),
        QStringLiteral("Dopo aver inserito i titoli, fare clic su \"Applica e chiudi\" per salvare le impostazioni."),
        QStringLiteral("Per chiudere senza salvare, fare clic su \"Annulla\"."),
        QStringLiteral("Il nome dell'archivio si imposta nella schermata \"Imposta schermata di avvio\"."),
    }));
    auto* icoIstruzioni02 = Widgets::NewLabel(design, QStringLiteral("icoIstruzioni02"));
    icoIstruzioni02->setGeometry(730, 420, 262, 58);
    icoIstruzioni02->setPixmap(SettingsPictures::Instructions(QSize(262, 58), {
        QStringLiteral("I primi sei campi di testo saranno i filtri di ricerca."),
    }));
    auto* icoPenna = Widgets::NewLabel(design, QStringLiteral("icoPenna"));
    icoPenna->setGeometry(820, 496, 96, 96);
    icoPenna->setPixmap(Icons::Picture(QStringLiteral("settings/pen"), 96));
    for (QWidget* decorative : {static_cast<QWidget*>(icoImpostazioni), static_cast<QWidget*>(titImpostaCampi),
                                static_cast<QWidget*>(icoFaldoni), static_cast<QWidget*>(icoPenna)})
        AddBackground(decorative);

    for (int i = 1; i < m_boxes.size(); ++i)
        setTabOrder(m_boxes[i - 1], m_boxes[i]);
    setTabOrder(m_boxes.last(), CancelButton());
    setTabOrder(CancelButton(), ApplyButton());

    connect(ApplyButton(), &QPushButton::clicked, this, &TfrmImpostaCampi::btnApplicaClick);
}

void TfrmImpostaCampi::FormShow()
{
    const IniValues settings = LoadSettings();
    m_titNomeArchivio->setText(ToQString(ReadArchiveName(settings)));
    const FieldTitles titles = ReadFieldTitles(settings);
    for (int i = 0; i < GenericFieldCount; ++i)
        m_titles[i]->setText(ToQString(titles[i]));
    for (int i = 0; i < GenericFieldCount; ++i)
        m_boxes[i]->setText(ToQString(titles[i]));
    m_boxes.first()->setFocus();
}

bool TfrmImpostaCampi::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease)
        if (const int index = m_boxes.indexOf(static_cast<QLineEdit*>(watched)); index >= 0)
            txtCampoKeyUp(index);
    return SettingsScreen::eventFilter(watched, event);
}

void TfrmImpostaCampi::txtCampoKeyUp(int index)
{
    m_titles[index]->setText(TrimText(m_boxes[index]->text()));
}

void TfrmImpostaCampi::btnApplicaClick()
{
    FieldTitles titles;
    for (int i = 0; i < GenericFieldCount; ++i)
        titles[i] = m_boxes[i]->text().toStdU16String();
    if (FirstTitleMissing(titles)) {
        Messages::Warning(this, QStringLiteral("Attenzione: per salvare le impostazioni è necessario compilare il primo "
                                               "campo del database."));
        m_boxes.first()->setFocus();
        return;
    }
    if (WriteSettings([&] { WriteFieldTitles(titles); }))
        close();
}
