#include "kit/ExportTool.h"
#include "kit/DesignColours.h"
#include "kit/Maker.h"

#include "kit/ExportModel.h"
#include "kit/Failures.h"
#include "kit/Icons.h"
#include "kit/Messages.h"
#include "kit/StatusLine.h"
#include "kit/TMisc.h"
#include "kit/TfrmGuida.h"
#include "kit/WorkProgress.h"
#include "storage/RecordFile.h"
#include "storage/Platform.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>

const QString ExportTool::ConfirmExportText = QStringLiteral(
    "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di schede presenti in "
    "archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString ExportTool::ConfirmOpenText = QStringLiteral(
    "Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");
const QString ExportTool::ExportFailedText = QStringLiteral(
    "Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che il file di Excel non sia già "
    "aperto.");
const QString ExportTool::FillingText = QStringLiteral("Caricamento schede in corso. Attendere...");
const QString ExportTool::WritingText = QStringLiteral("Esportazione in corso. Attendere...");
const QString ExportTool::TooManySheetsText =
    QStringLiteral("Attenzione: l'archivio contiene più schede di quante un foglio di lavoro di Microsoft Excel ne "
                   "possa contenere (al massimo %1).\n\r\n\rL'archivio non può essere mostrato né esportato in "
                   "Microsoft Excel.")
        .arg(QLocale(QLocale::Italian).toString(qulonglong(MaxExportRows)));
const QString ExportTool::OutOfMemoryText = QStringLiteral(
    "Attenzione: la memoria del computer non è sufficiente per mostrare l'intero archivio.\n\r\n\rL'archivio non "
    "può essere esportato in Microsoft Excel.");

namespace {

constexpr QSize ClientSize(862, 560);
constexpr int RowHeight = 21;

// An edited cell holds what is typed from the first key on, as the grid's cells do: an export
// started while the editor is still open writes the text as it stands.
class CommitAsTypedDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            auto* self = const_cast<CommitAsTypedDelegate*>(this);
            QObject::connect(edit, &QLineEdit::textEdited, self, [self, edit] { emit self->commitData(edit); });
        }
        return editor;
    }
};

} // namespace

ExportTool::ExportTool(QWidget* opener, const ExportToolSettings& settings)
    : ToolDialog(opener, settings.caption, ClientSize), m_settings(settings), m_table(*settings.description)
{
    auto* panContainer = Widgets::NewShape(this, QStringLiteral("panContainer"), QRect(QPoint(0, 0), ClientSize),
                                           QStringLiteral("background: #EEEDED;"));
    // The title picture's gradient runs across the whole band.
    auto* shpSfondo = Widgets::NewShape(panContainer, QStringLiteral("shpSfondo"), QRect(0, 0, ClientSize.width(), 80),
                                        QStringLiteral("background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                                                       " stop:0 #FFFFFF, stop:1 #DCE8F8);"
                                                       " border-bottom: 1px solid #A0B0D0;"));

    auto* imgTitolo = Widgets::NewLabel(panContainer, QStringLiteral("imgTitolo"));
    imgTitolo->setGeometry(0, 0, 380, 80);
    imgTitolo->setPixmap(Pictures::Header(QSize(380, 80), settings.titleIcon, Maker::BrandBlue,
                                          Maker::ProgramName, {settings.titleText}));
    auto* imgMano = Widgets::NewLabel(panContainer, QStringLiteral("imgMano"));
    imgMano->setGeometry(392, 24, 32, 32);
    imgMano->setPixmap(Icons::Picture(QStringLiteral("export/hand"), 32));

    const QColor bandTop(0xF4, 0xF7, 0xFC), bandBottom(0xD5, 0xE2, 0xF5), ink = DesignColours::Ink;
    auto command = [&](const char* name, const QString& caption, const QPixmap& icon, const QRect& geometry) {
        auto* picture = new CommandPicture(panContainer, QString::fromLatin1(name),
                                           CommandPicture::Drawn(geometry.size(), caption, icon, bandTop, bandBottom, ink));
        picture->setGeometry(geometry);
        return picture;
    };
    const QColor iconBlue = Maker::BrandBlue;
    auto* cmdEsporta = command("cmdEsporta", QStringLiteral("Esporta archivio"), Icons::Picture(QStringLiteral("export/excel"), 36), QRect(434, 14, 172, 52));
    auto* cmdGuida = command("cmdGuida", QStringLiteral("Guida"),
                             Pictures::IconPicture(Pictures::Icon::Question, 36, iconBlue), QRect(614, 14, 116, 52));
    auto* cmdEsci = command("cmdEsci", QStringLiteral("Esci"),
                            Pictures::IconPicture(Pictures::Icon::Exit, 36, iconBlue), QRect(738, 14, 116, 52));

    m_model = new ExportModel(m_table, this);
    m_grdRecords = new QTableView(panContainer);
    m_grdRecords->setObjectName(QStringLiteral("grdRecords"));
    m_grdRecords->setGeometry(8, 88, ClientSize.width() - 16, 432);
    m_grdRecords->setModel(m_model);
    m_grdRecords->setItemDelegate(new CommitAsTypedDelegate(m_grdRecords));
    m_grdRecords->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                  | QAbstractItemView::AnyKeyPressed);
    m_grdRecords->setAlternatingRowColors(true);
    m_grdRecords->setWordWrap(false);
    m_grdRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdRecords->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grdRecords->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_grdRecords->setStyleSheet(QStringLiteral("QTableView { background: white; alternate-background-color: #F2F5FB; }"));
    m_grdRecords->verticalHeader()->hide();
    m_grdRecords->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grdRecords->verticalHeader()->setMinimumSectionSize(RowHeight);
    m_grdRecords->verticalHeader()->setDefaultSectionSize(RowHeight);
    m_grdRecords->horizontalHeader()->setHighlightSections(false);
    m_grdRecords->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column = 0; column < m_model->columnCount(); ++column)
        m_grdRecords->setColumnWidth(column, m_model->ColumnWidth(column));

    m_status = new StatusLine(this, panContainer, QRect(0, ClientSize.height() - 32, ClientSize.width(), 32),
                              StatusLine::SlateBlue, QStringLiteral("Esportazione archivio in Microsoft Excel."));
    m_status->SetHoverText(cmdEsporta, QStringLiteral("Esporta l'archivio in formato Microsoft Excel."));
    m_status->SetHoverText(cmdGuida, QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    m_status->SetHoverText(cmdEsci, QStringLiteral("Esci da questo ambiente di lavoro."));
    m_status->AddBackground(shpSfondo);
    // The grid as a whole is background: its cells, headers and scroll bars.
    m_status->AddBackground(m_grdRecords);
    m_status->AddBackground(m_grdRecords->viewport());
    m_status->AddBackground(m_grdRecords->horizontalHeader());
    m_status->AddBackground(m_grdRecords->horizontalHeader()->viewport());
    m_status->AddBackground(m_grdRecords->horizontalScrollBar());
    m_status->AddBackground(m_grdRecords->verticalScrollBar());

    connect(cmdEsporta, &CommandPicture::clicked, this, &ExportTool::cmdEsportaClick);
    connect(cmdGuida, &CommandPicture::clicked, this, &ExportTool::cmdGuidaClick);
    connect(cmdEsci, &CommandPicture::clicked, this, &ExportTool::cmdEsciClick);
}

void ExportTool::FormShow()
{
    WorkProgress progress(this, FillingText);
    try {
        m_model->Load(progress);
    } catch (const FileFailure& failure) {
        // The grid keeps what was read; the user must know it is not the whole archive.
        progress.Finish();
        Failures::ReportArchiveAccess(this, MessageKind::Plain, failure.Error());
    } catch (const ExportTooLarge&) {
        // Too many sheets, or too many for the memory: the grid stays empty.
        progress.Finish();
        ReportIncompleteGrid();
    }
}

void ExportTool::ReportIncompleteGrid()
{
    switch (m_table.Fill()) {
    case ExportFill::TooManyRecords:
        Failures::Report(this, MessageKind::Warning, TooManySheetsText, m_table.FillFailure());
        return;
    case ExportFill::OutOfMemory:
        Failures::Report(this, MessageKind::Warning, OutOfMemoryText, m_table.FillFailure());
        return;
    case ExportFill::Partial:
    case ExportFill::Whole:
        break;
    }
    Failures::Report(this, MessageKind::Plain, ExportFailedText,
                     {"export", ExportFilePath(m_table.Description()),
                      "not written, the grid holds only part of the archive (" + m_table.FillFailure().Text() + ")"});
}

void ExportTool::cmdEsportaClick()
{
    // A grid without the whole archive would replace the earlier export with part of it.
    if (m_table.Fill() != ExportFill::Whole) {
        ReportIncompleteGrid();
        return;
    }
    if (!Messages::Confirm(this, ConfirmExportText))
        return;
    try {
        WorkProgress progress(this, WritingText);
        WriteSpreadsheet(m_table, progress);
    } catch (const FileFailure& failure) {
        Failures::ReportWriteFailure(this, MessageKind::Plain, ExportFailedText, failure.Error());
        return;
    }
    if (Messages::Confirm(this, ConfirmOpenText)) {
        const QString path = QString::fromStdString(platform::PathText(ExportFilePath(m_table.Description())));
        TMisc::Open(u'"' + path + u'"');
    }
}

void ExportTool::cmdGuidaClick()
{
    OpenTool<TfrmGuida>(this, m_settings.helpTitle, m_settings.helpText);
}

void ExportTool::cmdEsciClick()
{
    CloseTool();
}
