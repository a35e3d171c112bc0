#include "attachments/TfrmAllegaCartella.h"

#include "kit/Failures.h"
#include "kit/FileDialogs.h"
#include "kit/Icons.h"
#include "kit/Messages.h"
#include "kit/SheetScreen.h"
#include "kit/TMisc.h"
#include "kit/TextRules.h"
#include "kit/Widgets.h"
#include "attachments/AttachmentFolder.h"
#include "storage/Platform.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int Width = 634;
constexpr int HeaderHeight = 96;
constexpr int SlotTop = 104;
constexpr int SlotHeight = 116;
constexpr int SlotGap = 8;

QString Q(const std::filesystem::path& path)
{
    return QString::fromStdString(platform::PathText(path));
}

} // namespace

TfrmAllegaCartella::TfrmAllegaCartella(SheetScreen& served)
    : ToolDialog(&served, QStringLiteral(" Allega file"), QSize(634, 534), Placement::CentredOnScreen)
    , m_served(served)
{
    auto* imgLogo = Widgets::NewLabel(this, QStringLiteral("imgLogo"));
    imgLogo->setGeometry(0, 0, Width, HeaderHeight);
    imgLogo->setPixmap(Pictures::Header(
        QSize(Width, HeaderHeight), Icons::Picture(QStringLiteral("attachments/paperclip"), Pictures::HeaderIconSide(QSize(Width, HeaderHeight))),
        QStringLiteral("Allega file"),
        {QStringLiteral("Selezionare i file da allegare alla scheda corrente con il pulsante Sfoglia."),
         QStringLiteral("Fare poi clic su Applica e chiudi e quindi sul pulsante Salva della scheda per salvare le modifiche."),
         QStringLiteral("Per aprire un file allegato, premere il pulsante Apri.")}));

    for (int slot = 0; slot < SlotCount; ++slot)
        m_slots[slot] = NewSlot(slot, SlotTop + slot * (SlotHeight + SlotGap));

    auto* btnApplica = Widgets::NewButton(this, QStringLiteral("btnApplica"), QStringLiteral("Applica e chiudi"));
    btnApplica->setGeometry(Width - 16 - 140, 486, 140, 36);
    auto* btnAnnulla = Widgets::NewButton(this, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"));
    btnAnnulla->setGeometry(Width - 16 - 140 - 10 - 110, 486, 110, 36);

    m_lblMemory = Widgets::NewHiddenLabel(this, QStringLiteral("lblMemory"));
    m_lblMemory->setText(ArchiveMarker(served.Kind()));
    ShowTexts(served.Attachments());

    QWidget* previous = nullptr;
    for (const Slot& s : m_slots)
        for (QWidget* control : {static_cast<QWidget*>(s.txtFile), static_cast<QWidget*>(s.btnSfoglia),
                                 static_cast<QWidget*>(s.btnApri), static_cast<QWidget*>(s.txtDesc)}) {
            if (previous)
                setTabOrder(previous, control);
            previous = control;
        }
    setTabOrder(previous, btnApplica);
    setTabOrder(btnApplica, btnAnnulla);

    connect(btnApplica, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApplicaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmAllegaCartella::btnAnnullaClick);
}

TfrmAllegaCartella::Slot TfrmAllegaCartella::NewSlot(int slot, int top)
{
    const QString number = QStringLiteral("%1").arg(slot + 1, 2, 10, QLatin1Char('0'));
    const QString ordinal = QString::number(slot + 1) + QStringLiteral("° file allegato:");

    QWidget* panel = Widgets::NewShape(this, QStringLiteral("shpFile") + number, QRect(12, top, Width - 24, SlotHeight),
                                       QStringLiteral("background: #DCEBFA; border: 1px solid #9DBCE0; border-radius: 4px;"));
    const QFont labelFont = Widgets::DesignFont(QStringLiteral("Tahoma"), 9, true);
    const QFont boxFont = Widgets::DesignFont(QStringLiteral("Tahoma"), 10);

    auto* titFile = Widgets::NewLabel(panel, QStringLiteral("titFile") + number, QStringLiteral("Nome ") + ordinal);
    titFile->setGeometry(12, 8, 300, 18);
    titFile->setFont(labelFont);
    Slot s{};
    s.txtFile = Widgets::NewLineEdit(panel, QStringLiteral("txtFile") + number);
    s.txtFile->setGeometry(12, 28, 352, 26);
    s.txtFile->setReadOnly(true);
    s.txtFile->setFont(boxFont);
    s.imgCancella = new CommandPicture(panel, QStringLiteral("imgCancella") + number, Icons::Picture(QStringLiteral("attachments/clear"), 22));
    s.imgCancella->setGeometry(370, 30, 22, 22);
    s.imgCancella->setToolTip(QStringLiteral("Toglie il file da questa posizione"));
    s.btnSfoglia = Widgets::NewButton(panel, QStringLiteral("btnSfoglia") + number, QStringLiteral("Sfoglia..."));
    s.btnSfoglia->setGeometry(400, 26, 96, 30);
    s.btnApri = Widgets::NewButton(panel, QStringLiteral("btnApri") + number, QStringLiteral("Apri"));
    s.btnApri->setGeometry(502, 26, 94, 30);
    s.btnApri->setEnabled(false);

    auto* titDesc = Widgets::NewLabel(panel, QStringLiteral("titDesc") + number, QStringLiteral("Descrizione ") + ordinal);
    titDesc->setGeometry(12, 62, 300, 18);
    titDesc->setFont(labelFont);
    s.txtDesc = Widgets::NewLineEdit(panel, QStringLiteral("txtDesc") + number);
    s.txtDesc->setGeometry(12, 82, 584, 26);
    s.txtDesc->setFont(boxFont);

    connect(s.btnSfoglia, &QPushButton::clicked, this, [this, slot] { btnSfogliaClick(slot); });
    connect(s.btnApri, &QPushButton::clicked, this, [this, slot] { btnApriClick(slot); });
    connect(s.imgCancella, &CommandPicture::clicked, this, [this, slot] { imgCancellaClick(slot); });
    connect(s.txtFile, &QLineEdit::textChanged, this, [this, slot] { txtFileChange(slot); });
    return s;
}

void TfrmAllegaCartella::ShowTexts(const AttachmentTexts& texts)
{
    for (int slot = 0; slot < SlotCount; ++slot) {
        m_slots[slot].txtFile->setText(TrimText(texts.files[slot]));
        m_slots[slot].txtDesc->setText(TrimText(texts.descriptions[slot]));
    }
}

void TfrmAllegaCartella::btnSfogliaClick(int slot)
{
    const QString chosen = FileDialogs::OpenFile(this, QStringLiteral("Selezionare il file da allegare:"),
                                                 QStringLiteral("Tutti i file (*)"));
    if (chosen.isEmpty())
        return;
    // The copy bears the name the sheet stores, which is trimmed: "report.pdf " is copied,
    // asked about and stored as "report.pdf".
    Text name = ToText(TrimText(QFileInfo(chosen).fileName()));
    if (!Accepts(name))
        return;
    const std::filesystem::path source = platform::PathOfText(chosen.toStdString());
    if (attachments::Holds(name) && !Messages::Confirm(this, OverwriteQuestionText())) {
        // The folder's file stays. It serves this sheet too only when it is the same
        // document; another one is copied beside it under a name of its own.
        if (attachments::HoldsSameBytes(source, name)) {
            m_slots[slot].txtFile->setText(ToQString(name));
            return;
        }
        name = attachments::FreeName(name);
        if (!Accepts(name))
            return;
    }
    // A failed copy leaves the box as it was: the sheet never names a file that is not there.
    const attachments::CopyOutcome copied = attachments::CopyIn(source, name);
    if (!copied) {
        Failures::ReportWriteFailure(this, MessageKind::Warning, CopyFailedText(copied.Step()), copied.Error());
        return;
    }
    m_slots[slot].txtFile->setText(ToQString(name));
}

bool TfrmAllegaCartella::Accepts(std::u16string_view name)
{
    if (!attachments::IsBareName(name)) {
        Messages::Warning(this, UnusableNameText());
        return false;
    }
    if (!attachments::RecordKeepsName(name)) {
        Messages::Warning(this, UnstorableNameText());
        return false;
    }
    return true;
}

QString TfrmAllegaCartella::OverwriteQuestionText()
{
    return QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso "
                          "nome.\r\n\r\nSi vuole sovrascrivere il file esistente?");
}

QString TfrmAllegaCartella::UnstorableNameText()
{
    return QStringLiteral("Attenzione: il nome del file contiene caratteri che l'archivio non può memorizzare oppure "
                          "supera i 250 caratteri.\n\r\n\rRinominare il file e allegarlo di nuovo.");
}

QString TfrmAllegaCartella::UnusableNameText()
{
    return QStringLiteral("Attenzione: il nome del file non può essere usato nella cartella dei documenti "
                          "allegati.\n\r\n\rRinominare il file e allegarlo di nuovo.");
}

QString TfrmAllegaCartella::CopyFailedText(attachments::CopyStep step)
{
    QString why;
    switch (step) {
    case attachments::CopyStep::Name:
        why = QStringLiteral("Il nome del file non può essere usato nella cartella dei documenti allegati.");
        break;
    case attachments::CopyStep::Folder:
        why = QStringLiteral("Non è possibile creare la cartella dei documenti allegati: accertarsi di possedere i "
                             "privilegi di scrittura nella cartella di installazione del programma.");
        break;
    case attachments::CopyStep::Source:
        why = QStringLiteral("Il file scelto non può essere letto: accertarsi che esista ancora e di avere il "
                             "permesso di aprirlo.");
        break;
    case attachments::CopyStep::Existing:
        why = QStringLiteral("Il file con lo stesso nome presente nella cartella è protetto da scrittura e non è "
                             "stato sostituito.");
        break;
    case attachments::CopyStep::Write:
        why = QStringLiteral("Il sistema non permette di scrivere nella cartella dei documenti allegati: accertarsi "
                             "di possedere i privilegi di scrittura.");
        break;
    }
    return QStringLiteral("Attenzione: non è stato possibile copiare il file nella cartella dei documenti "
                          "allegati.\n\r\n\r")
        + why;
}

void TfrmAllegaCartella::btnApriClick(int slot)
{
    // A name that reaches out of the attachments folder opens nothing.
    const auto path = attachments::PathOf(TrimText(m_slots[slot].txtFile->text()).toStdU16String());
    if (!path)
        return;
    TMisc::Open(u'"' + Q(*path) + u'"');
}

void TfrmAllegaCartella::imgCancellaClick(int slot)
{
    m_slots[slot].txtFile->clear();
}

void TfrmAllegaCartella::txtFileChange(int slot)
{
    // A name that does not designate a file of the attachments folder is never opened, so
    // its "Apri" does not invite a click that would do nothing.
    m_slots[slot].btnApri->setEnabled(
        attachments::IsBareName(TrimText(m_slots[slot].txtFile->text()).toStdU16String()));
}

AttachmentTexts TfrmAllegaCartella::Texts() const
{
    AttachmentTexts texts;
    for (int slot = 0; slot < SlotCount; ++slot) {
        texts.files[slot] = TrimText(m_slots[slot].txtFile->text());
        texts.descriptions[slot] = TrimText(m_slots[slot].txtDesc->text());
    }
    return texts;
}

void TfrmAllegaCartella::btnApplicaClick()
{
    m_served.SetAttachmentTexts(Texts());
    CloseTool();
}

void TfrmAllegaCartella::btnAnnullaClick()
{
    CloseTool();
}
