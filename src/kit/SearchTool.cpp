#include "kit/SearchTool.h"

#include "kit/WorkProgress.h"

#include "kit/DesignColours.h"
#include "kit/TextBoxes.h"
#include "kit/TextRules.h"
#include "storage/RecordFile.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

std::vector<CriterionBox> CriteriaInTwoColumns(std::span<const CriterionName> names, int rowStep,
                                               std::size_t wideFrom)
{
    std::vector<CriterionBox> boxes;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const bool wide = i >= wideFrom;
        const int column = wide ? 0 : int(i % 2);
        const int row = wide ? int(wideFrom / 2 + (i - wideFrom)) : int(i / 2);
        boxes.push_back({names[i].box, names[i].title, QString::fromStdU16String(names[i].titleText),
                         QRect(160 + column * 348, 122 + row * rowStep, wide ? 664 : 316, 32)});
    }
    return boxes;
}

SearchTool::SearchTool(SheetScreen& served, const QString& caption, Text& sharedFindText, const QPixmap& header,
                       Pictures::Icon icon, const SearchDescription& search, std::vector<CriterionBox> boxes,
                       const QFont& titleFont)
    : ListTool(served, caption, sharedFindText, header, Count::Shown), m_search(search), m_boxes(std::move(boxes))
{
    Q_ASSERT(m_boxes.size() == m_search.criteriaFields.size());
    m_panAvvio = new QWidget(this);
    m_panAvvio->setObjectName(QStringLiteral("panAvvio"));
    m_panAvvio->setGeometry(0, 0, 862, 560);
    QWidget* panel = m_panAvvio;

    auto* imgTrova = Widgets::NewLabel(panel, QStringLiteral("imgTrova"));
    imgTrova->setGeometry(16, 10, 60, 60);
    imgTrova->setPixmap(Pictures::IconPicture(icon, 60, QColor(0x7F, 0xB2, 0xF0)));
    auto instruction = [panel](const char* name, const QString& text, const QRect& geometry) {
        Widgets::NewInstruction(panel, QString::fromLatin1(name), text, geometry, QStringLiteral("white"));
    };
    instruction("lblRigo04",
                QStringLiteral("Immettere nei campi prescelti una o più parole consecutive presenti nelle schede da "
                               "trovare e premere il pulsante Cerca."),
                QRect(90, 8, 756, 32));
    instruction("lblRigo05", QStringLiteral("Lasciare in bianco tutti gli altri campi."), QRect(90, 42, 756, 18));
    instruction("lblRigo06",
                QStringLiteral("Per ogni ricerca è possibile utilizzare uno o più campi contemporaneamente."),
                QRect(90, 62, 756, 18));

    Widgets::NewShape(panel, QStringLiteral("shpCriteri"), QRect(136, 88, 712, 398),
                      QStringLiteral("background: rgba(255, 255, 255, 215); border-radius: 10px;"));
    auto* imgArchivio = Widgets::NewLabel(panel, QStringLiteral("imgArchivio"));
    imgArchivio->setGeometry(20, 130, 96, 96);
    imgArchivio->setPixmap(Pictures::IconPicture(icon, 96, QColor(0x9C, 0xC3, 0xF5)));
    auto* imgCerca = Widgets::NewLabel(panel, QStringLiteral("imgCerca"));
    imgCerca->setGeometry(20, 300, 96, 96);
    imgCerca->setPixmap(Pictures::IconPicture(Pictures::Icon::Question, 96, DesignColours::CommandFace));

    const QFont boxFont = Widgets::DesignFont(QStringLiteral("Verdana"), 12, true);
    QList<QWidget*> chain;
    for (const CriterionBox& criterion : m_boxes) {
        QLabel* title = Widgets::NewLabel(panel, QString::fromLatin1(criterion.title), criterion.titleText);
        title->setGeometry(criterion.geometry.left(), criterion.geometry.top() - 24, criterion.geometry.width(), 20);
        title->setFont(titleFont);
        title->setStyleSheet(QStringLiteral("color: #1C2B4A;"));
        m_titles.push_back(title);
        QLineEdit* box = Widgets::NewLineEdit(panel, QString::fromLatin1(criterion.box));
        box->setGeometry(criterion.geometry);
        box->setFont(boxFont);
        TextBoxes::AttachHighlightFrame(box);
        m_criteria.push_back(box);
        chain.append(box);
    }
    TextBoxes::SetEnterChain(chain, true);

    auto* btnAnnulla = Widgets::NewButton(panel, QStringLiteral("btnAnnulla"), QStringLiteral("Chiudi"));
    btnAnnulla->setGeometry(16, 512, 124, 36);
    m_lblAttendere = Widgets::NewLabel(panel, QStringLiteral("lblAttendere"),
                                       QStringLiteral("Ricerca schede in corso. Attendere..."));
    m_lblAttendere->setGeometry(150, 518, 562, 24);
    m_lblAttendere->setAlignment(Qt::AlignCenter);
    m_lblAttendere->setFont(Widgets::DesignFont(QStringLiteral("Verdana"), 10, true));
    m_lblAttendere->setStyleSheet(QStringLiteral("color: darkcyan;"));
    m_lblAttendere->hide();
    auto* btnCerca = Widgets::NewButton(panel, QStringLiteral("btnCerca"), QStringLiteral("Cerca"));
    btnCerca->setGeometry(722, 512, 124, 36);

    m_lblConta = Widgets::NewHiddenLabel(this, QStringLiteral("lblConta"));
    m_lblMemory = Widgets::NewHiddenLabel(this, QStringLiteral("lblMemory"), ArchiveMarker(served.Kind()));

    QList<QWidget*> tabs = chain;
    tabs << btnAnnulla << btnCerca << FindBox() << FindButton() << Records() << PrintButton() << CloseButton();
    for (qsizetype i = 0; i + 1 < tabs.size(); ++i)
        setTabOrder(tabs.at(i), tabs.at(i + 1));

    ResultsPanel()->hide();
    connect(btnCerca, &QPushButton::pressed, this, &SearchTool::btnCercaMouseDown);
    connect(btnCerca, &QPushButton::clicked, this, &SearchTool::btnCercaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &SearchTool::btnAnnullaClick);
}

void SearchTool::FormShow()
{
    EmptyFindText();
    if (!m_criteria.empty())
        m_criteria.front()->setFocus();
}

void SearchTool::btnCercaMouseDown()
{
    m_lblAttendere->show();
}

void SearchTool::btnCercaClick()
{
    m_lblAttendere->repaint(); // the wait text shows while the search runs
    std::vector<Text> typed;
    for (const QLineEdit* box : m_criteria)
        typed.push_back(box->text().toStdU16String());
    const SearchCriteria criteria(m_search, typed);
    m_lblConta->setText(QString::number(criteria.Filled()));

    ResultLines lines;
    try {
        WorkProgress progress(this, m_lblAttendere->text());
        lines = SearchRecords(m_search, criteria, progress);
    } catch (const FileFailure& failure) {
        ShowArchiveAccessMessage(failure.Error());
        return;
    }
    const std::size_t count = lines.Size();
    ShowLines(std::move(lines));
    CountLabel()->setText(QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(count));
    ResultsPanel()->show();
    m_panAvvio->hide();
    FindBox()->clear();
    FindBox()->setFocus();
    ForgetDefaultButton();
}

void SearchTool::btnAnnullaClick()
{
    CloseTool();
}

void SearchTool::FormClose()
{
    ListTool::FormClose();
    m_lblAttendere->hide();
}
