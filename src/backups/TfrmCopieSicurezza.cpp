#include "backups/TfrmCopieSicurezza.h"

#include "backups/DailyCopy.h"
#include "kit/Failures.h"
#include "kit/Maker.h"
#include "kit/Messages.h"
#include "kit/Widgets.h"
#include "kit/WorkProgress.h"
#include "storage/ProgramFolder.h"

#include <QListWidget>
#include <QPushButton>

const QString TfrmCopieSicurezza::NoSelectionText =
    QStringLiteral("Selezionare nell'elenco la copia di sicurezza da ripristinare.");
const QString TfrmCopieSicurezza::RestoredText = QStringLiteral("La copia di sicurezza selezionata è stata ripristinata.");
const QString TfrmCopieSicurezza::RestoreFailedText =
    QStringLiteral("Attenzione: non è stato possibile ripristinare la copia di sicurezza selezionata.\n\r\n\r"
                   "L'archivio attuale non è stato modificato.");

TfrmCopieSicurezza::TfrmCopieSicurezza(QWidget* opener)
    : ToolDialog(opener, QStringLiteral(" Copie di sicurezza"), QSize(560, 450)), m_folder(ProgramFolder())
{
    auto* imgTitolo = Widgets::NewLabel(this, QStringLiteral("imgTitolo"));
    imgTitolo->setGeometry(0, 0, 560, 86);
    imgTitolo->setPixmap(Pictures::Header(
        QSize(560, 86), Pictures::Icon::Copies, Maker::BrandBlue, QStringLiteral("Copie di sicurezza"),
        {QStringLiteral("Una copia dell'archivio al giorno, nella cartella Copie_di_sicurezza."),
         QStringLiteral("Selezionare una copia e premere Ripristina per riportarla in uso.")}));

    m_lstCopie = new QListWidget(this);
    m_lstCopie->setObjectName(QStringLiteral("lstCopie"));
    m_lstCopie->setGeometry(16, 100, 528, 278);
    m_lstCopie->setFont(Widgets::DesignFont(QStringLiteral("Verdana"), 10));

    auto* btnRipristina = Widgets::NewButton(this, QStringLiteral("btnRipristina"), QStringLiteral("Ripristina"));
    btnRipristina->setGeometry(314, 396, 110, 36);
    auto* btnChiudi = Widgets::NewButton(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"));
    btnChiudi->setGeometry(434, 396, 110, 36);
    setTabOrder(m_lstCopie, btnRipristina);
    setTabOrder(btnRipristina, btnChiudi);

    connect(btnRipristina, &QPushButton::clicked, this, &TfrmCopieSicurezza::btnRipristinaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmCopieSicurezza::btnChiudiClick);
    FillList();
    m_lstCopie->setFocus();
}

QString TfrmCopieSicurezza::Made(const backups::Copy& copy)
{
    const auto two = [](int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); };
    QString made = two(copy.made.day) + u'/' + two(copy.made.month) + u'/' + QString::number(copy.made.year);
    if (copy.timed)
        made += u' ' + two(copy.made.hour) + u':' + two(copy.made.minute) + u':' + two(copy.made.second);
    return made;
}

QString TfrmCopieSicurezza::Line(const backups::Copy& copy, const backups::CopyCounts& counts)
{
    return Made(copy) + QStringLiteral(" - schede: %1, clienti: %2").arg(counts.sheets).arg(counts.clients);
}

void TfrmCopieSicurezza::FillList()
{
    m_lstCopie->clear();
    m_copies = m_folder.Copies();
    for (const backups::Copy& copy : m_copies) {
        FileError error;
        if (const auto counts = m_folder.CountsOf(copy, error)) {
            m_lstCopie->addItem(Line(copy, *counts));
        } else {
            Failures::Note(error);
            m_lstCopie->addItem(Made(copy) + QStringLiteral(" - copia non leggibile"));
        }
    }
    if (!m_copies.empty())
        m_lstCopie->setCurrentRow(0);
}

void TfrmCopieSicurezza::btnRipristinaClick()
{
    const int row = m_lstCopie->currentRow();
    if (row < 0 || row >= int(m_copies.size()) || !m_lstCopie->currentItem()->isSelected()) {
        Messages::Warning(this, NoSelectionText);
        return;
    }
    const backups::Copy copy = m_copies[std::size_t(row)];
    if (!Messages::Confirm(this, QStringLiteral("Attenzione: l'archivio attuale sarà sostituito dalla copia del ")
                                     + Made(copy)
                                     + QStringLiteral(".\r\n\r\nL'archivio attuale sarà conservato in una nuova "
                                                      "copia di sicurezza. Continuare?")))
        return;
    FileOutcome restored = FileOutcome::Done();
    {
        WorkProgress progress(this, QStringLiteral("Ripristino della copia di sicurezza in corso. Attendere..."));
        restored = m_folder.Restore(copy, backups::Now(), progress);
    }
    if (restored)
        Messages::Information(this, RestoredText);
    else
        Failures::ReportWriteFailure(this, MessageKind::Error, RestoreFailedText, restored.Error());
    FillList();
}

void TfrmCopieSicurezza::btnChiudiClick() { CloseTool(); }
