#include "kit/ListTool.h"

#include "kit/Failures.h"
#include "kit/Messages.h"
#include "kit/Printing.h"
#include "kit/TextBoxes.h"
#include "kit/TextRules.h"
#include "kit/Widgets.h"
#include "kit/WorkProgress.h"
#include "report/ListPrint.h"
#include "storage/RecordFile.h"

#include <QBrush>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

ResultLinesModel::ResultLinesModel(QObject* parent)
    : QAbstractListModel(parent), m_font(Widgets::DesignFont(QStringLiteral("Courier New"), 11))
{
    m_itemSize = QSize(ItemWidth, QFontMetrics(m_font).height() + 2);
}

void ResultLinesModel::SetLines(ResultLines lines)
{
    beginResetModel();
    m_lines = std::move(lines);
    endResetModel();
}

int ResultLinesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_lines.Size());
}

QVariant ResultLinesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || static_cast<std::size_t>(index.row()) >= m_lines.Size())
        return {};
    switch (role) {
    case Qt::DisplayRole: {
        return ToQString(m_lines.Line(static_cast<std::size_t>(index.row())));
    }
    case Qt::FontRole:
        return m_font;
    case Qt::ForegroundRole:
        return QBrush(Qt::black);
    case Qt::SizeHintRole:
        return m_itemSize;
    default:
        return {};
    }
}

ResultList::ResultList(QWidget* parent) : QListView(parent), m_model(new ResultLinesModel(this))
{
    setObjectName(QStringLiteral("lstRecords"));
    setModel(m_model);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);
    setStyleSheet(QStringLiteral("QListView#lstRecords { background: white; }"));
}

std::optional<std::size_t> ResultList::SelectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return std::nullopt;
    return static_cast<std::size_t>(selected.first().row());
}

std::optional<Text> ResultList::SelectedLine() const
{
    const std::optional<std::size_t> row = SelectedRow();
    if (!row)
        return std::nullopt;
    return m_model->Lines().Line(*row);
}

void ResultList::SelectRow(std::size_t row)
{
    const QModelIndex index = m_model->index(static_cast<int>(row));
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index, QAbstractItemView::EnsureVisible);
}

void ResultList::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClickedAnywhere();
}

const QString ListTool::EmptyListText =
    QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");

ListTool::ListTool(SheetScreen& served, const QString& caption, Text& sharedFindText, const QPixmap& header,
                   Count count)
    : ToolDialog(&served, caption, QSize(862, 560)), m_served(served), m_sharedFindText(sharedFindText)
{
    m_panContainer = new QWidget(this);
    m_panContainer->setObjectName(QStringLiteral("panContainer"));
    m_panContainer->setGeometry(0, 0, 862, 560);
    QWidget* panel = m_panContainer;

    auto* imgLogo = Widgets::NewLabel(panel, QStringLiteral("imgLogo"));
    imgLogo->setGeometry(0, 0, 862, 70);
    imgLogo->setPixmap(header);

    auto instruction = [panel](const char* name, const QString& text, const QRect& geometry, const char* colour) {
        Widgets::NewInstruction(panel, QString::fromLatin1(name), text, geometry, QString::fromLatin1(colour));
    };
    instruction("lblRigo01",
                QStringLiteral("Immettere una o più parole consecutive presenti nella scheda in elenco da cercare "
                               "e premere il pulsante Trova."),
                QRect(16, 80, 830, 18), "white");
    instruction("lblRigo02",
                QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, fare di "
                               "nuovo clic su Trova."),
                QRect(16, 100, 830, 18), "white");

    m_txtTrova = Widgets::NewLineEdit(panel, QStringLiteral("txtTrova"));
    m_txtTrova->setGeometry(16, 128, 690, 34);
    m_txtTrova->setFont(Widgets::DesignFont(QStringLiteral("Verdana"), 12, true));
    m_btnTrova = Widgets::NewButton(panel, QStringLiteral("btnTrova"), QStringLiteral("Trova"));
    m_btnTrova->setGeometry(722, 127, 124, 36);
    TextBoxes::SetEnterSuccessor(m_txtTrova, m_btnTrova);

    m_lstRecords = new ResultList(panel);
    m_lstRecords->setGeometry(16, 174, 830, 300);

    instruction("lblRigo03", QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic."),
                QRect(16, 480, 830, 20), "crimson");

    m_btnChiudi = Widgets::NewButton(panel, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"));
    m_btnChiudi->setGeometry(16, 512, 124, 36);
    m_btnStampa = Widgets::NewButton(panel, QStringLiteral("btnStampa"), QStringLiteral("Stampa"));
    m_btnStampa->setGeometry(722, 512, 124, 36);
    if (count == Count::Shown) {
        m_lblTrovate = Widgets::NewLabel(panel, QStringLiteral("lblTrovate"),
                                         QStringLiteral("Il presente elenco contiene 0 schede."));
        m_lblTrovate->setGeometry(150, 518, 562, 24);
        m_lblTrovate->setAlignment(Qt::AlignCenter);
        m_lblTrovate->setFont(Widgets::DesignFont(QStringLiteral("Verdana"), 10, true));
        m_lblTrovate->setStyleSheet(QStringLiteral("color: darkcyan;"));
    }

    connect(m_btnTrova, &QPushButton::clicked, this, &ListTool::btnTrovaClick);
    connect(m_lstRecords, &ResultList::doubleClickedAnywhere, this, &ListTool::lstRecordsDblClick);
    connect(m_btnStampa, &QPushButton::clicked, this, &ListTool::btnStampaClick);
    connect(m_btnChiudi, &QPushButton::clicked, this, &ListTool::btnChiudiClick);
}

void ListTool::ShowLines(ResultLines lines)
{
    m_lstRecords->Lines()->SetLines(std::move(lines));
}

void ListTool::EmptyFindText()
{
    m_sharedFindText.clear();
    m_txtTrova->clear();
}

void ListTool::ShowMarkedLines(const std::function<void(ResultLines&, Progress&)>& list, const QString& waitText)
{
    EmptyFindText();
    ResultLines lines;
    std::optional<FileError> failure;
    {
        WorkProgress progress(this, waitText);
        try {
            list(lines, progress);
        } catch (const FileFailure& thrown) {
            lines.Sort(); // the records read before the failure
            failure = thrown.Error();
        }
    }
    ShowLines(std::move(lines));
    FindBox()->setFocus();
    if (failure)
        ShowArchiveAccessMessage(*failure);
}

void ListTool::SetMarkedListTabOrder()
{
    setTabOrder(FindBox(), Records());
    setTabOrder(Records(), PrintButton());
    setTabOrder(PrintButton(), FindButton());
    setTabOrder(FindButton(), CloseButton());
}

void ListTool::btnTrovaClick()
{
    const ResultLines& lines = m_lstRecords->Lines()->Lines();
    if (lines.Empty()) {
        Messages::Plain(this, EmptyListText);
        return;
    }
    const std::size_t row =
        FindInList(lines, m_lstRecords->SelectedRow(), m_txtTrova->text().toStdU16String(), m_sharedFindText);
    m_lstRecords->SelectRow(row);
}

void ListTool::lstRecordsDblClick()
{
    if (const std::optional<Text> line = m_lstRecords->SelectedLine()) {
        try {
            OpenLine(*line);
        } catch (const FileFailure& failure) {
            ShowArchiveAccessMessage(failure.Error());
        }
    }
    CloseTool();
}

void ListTool::btnStampaClick()
{
    const report::ResultLineSource lines(m_lstRecords->Lines()->Lines());
    const report::ListReport list = report::ListPrint(m_printTitle.toStdU16String(), lines, Printing::Now());
    Printing::Print(this, list);
}

void ListTool::btnChiudiClick()
{
    CloseTool();
}

void ListTool::FormClose()
{
    m_lstRecords->Lines()->SetLines(ResultLines());
}

void ListTool::ShowArchiveAccessMessage(const FileError& error)
{
    Failures::ReportArchiveAccess(this, MessageKind::Plain, error);
}

void ListTool::done(int result)
{
    FormClose();
    ToolDialog::done(result);
}

void ListTool::setVisible(bool visible)
{
    ToolDialog::setVisible(visible);
    if (visible)
        ForgetDefaultButton();
}

void ListTool::ForgetDefaultButton()
{
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setDefault(false);
}

void ListTool::paintEvent(QPaintEvent* event)
{
    ToolDialog::paintEvent(event);
    QPainter painter(this);
    QLinearGradient shade(0, 0, 0, height());
    shade.setColorAt(0, Qt::black);
    shade.setColorAt(1, Qt::white);
    painter.fillRect(rect(), shade);
}
