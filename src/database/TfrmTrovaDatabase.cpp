#include "database/TfrmTrovaDatabase.h"

#include "app/TextBoxes.h"
#include "app/TextRules.h"
#include "app/Widgets.h"
#include "database/DatabaseLists.h"
#include "database/SheetOfLine.h"
#include "storage/IniFile.h"
#include "storage/RecordFile.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

struct CriterionBox {
    const char* box;
    const char* title;
    const char16_t* fixedTitle; // nullptr: the title comes from the settings
    int column;
    int row;
};

// In the order of the Enter chain and of DatabaseLists::SearchFields.
constexpr CriterionBox CriterionBoxes[10] = {
    {"txtCampo01", "titCampo01", nullptr, 0, 0},
    {"txtCampo02", "titCampo02", nullptr, 1, 0},
    {"txtCampo03", "titCampo03", nullptr, 0, 1},
    {"txtCampo04", "titCampo04", nullptr, 1, 1},
    {"txtCampo05", "titCampo05", nullptr, 0, 2},
    {"txtCampo06", "titCampo06", nullptr, 1, 2},
    {"txtCliente", "lblCliente", u"Cognome e nome:", 0, 3},
    {"txtComuneRes", "lblComuneRes", u"Comune di residenza:", 1, 3},
    {"txtCodFisc", "lblCodFisc", u"Codice fiscale:", 0, 4},
    {"txtPartitaIva", "lblPartitaIva", u"Partita IVA:", 1, 4},
};

} // namespace

TfrmTrovaDatabase::TfrmTrovaDatabase(QWidget* opener)
    : ListTool(opener, QStringLiteral(" Trova schede in archivio"), SharedFindText(),
               Pictures::Header(QSize(862, 70), Pictures::Icon::Database, QColor(0x24, 0x5C, 0xB8),
                                QStringLiteral("Trova schede in archivio"),
                                {QStringLiteral("Le schede che rispondono ai criteri di ricerca.")}),
               Count::Shown)
{
    m_panAvvio = new QWidget(this);
    m_panAvvio->setObjectName(QStringLiteral("panAvvio"));
    m_panAvvio->setGeometry(0, 0, 862, 560);
    QWidget* panel = m_panAvvio;

    auto* imgTrova = Widgets::NewLabel(panel, QStringLiteral("imgTrova"));
    imgTrova->setGeometry(16, 10, 60, 60);
    imgTrova->setPixmap(Pictures::IconPicture(Pictures::Icon::Database, 60, QColor(0x7F, 0xB2, 0xF0)));
    const QFont instructionFont = Widgets::DesignFont(QStringLiteral("Verdana"), 9, true);
    auto instruction = [&](const char* name, const QString& text, const QRect& geometry) {
        QLabel* label = Widgets::NewLabel(panel, QString::fromLatin1(name), text);
        label->setGeometry(geometry);
        label->setFont(instructionFont);
        label->setWordWrap(true);
        label->setStyleSheet(QStringLiteral("color: white;"));
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
    auto* imgDatabase = Widgets::NewLabel(panel, QStringLiteral("imgDatabase"));
    imgDatabase->setGeometry(20, 130, 96, 96);
    imgDatabase->setPixmap(Pictures::IconPicture(Pictures::Icon::Database, 96, QColor(0x9C, 0xC3, 0xF5)));
    auto* imgCerca = Widgets::NewLabel(panel, QStringLiteral("imgCerca"));
    imgCerca->setGeometry(20, 300, 96, 96);
    imgCerca->setPixmap(Pictures::IconPicture(Pictures::Icon::Question, 96, QColor(0x4A, 0x80, 0xD6)));

    const QFont titleFont = Widgets::DesignFont(QStringLiteral("Verdana"), 10, true);
    const QFont boxFont = Widgets::DesignFont(QStringLiteral("Verdana"), 12, true);
    QList<QWidget*> chain;
    for (std::size_t i = 0; i < std::size(CriterionBoxes); ++i) {
        const CriterionBox& spec = CriterionBoxes[i];
        const int left = 160 + spec.column * 348, top = 98 + spec.row * 76;
        QLabel* title = Widgets::NewLabel(panel, QString::fromLatin1(spec.title),
                                          spec.fixedTitle ? QString::fromUtf16(spec.fixedTitle)
                                                          : QStringLiteral("Campo %1:").arg(i + 1));
        title->setGeometry(left, top, 316, 20);
        title->setFont(titleFont);
        title->setStyleSheet(QStringLiteral("color: #1C2B4A;"));
        if (!spec.fixedTitle)
            m_titles[i] = title;
        QLineEdit* box = Widgets::NewLineEdit(panel, QString::fromLatin1(spec.box));
        box->setGeometry(left, top + 24, 316, 32);
        box->setFont(boxFont);
        TextBoxes::AttachHighlightFrame(box);
        m_criteria[i] = box;
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
    m_lblMemory = Widgets::NewHiddenLabel(this, QStringLiteral("lblMemory"), QStringLiteral("lblMemory"));

    QList<QWidget*> tabs = chain;
    tabs << btnAnnulla << btnCerca << FindBox() << FindButton() << Records() << PrintButton() << CloseButton();
    for (qsizetype i = 0; i + 1 < tabs.size(); ++i)
        setTabOrder(tabs.at(i), tabs.at(i + 1));

    ResultsPanel()->hide();
    connect(btnCerca, &QPushButton::pressed, this, &TfrmTrovaDatabase::btnCercaMouseDown);
    connect(btnCerca, &QPushButton::clicked, this, &TfrmTrovaDatabase::btnCercaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmTrovaDatabase::btnAnnullaClick);
}

Text& TfrmTrovaDatabase::SharedFindText()
{
    static Text findText;
    return findText;
}

void TfrmTrovaDatabase::FormShow()
{
    const IniFile settings = SettingsFile();
    for (std::size_t i = 0; i < m_titles.size(); ++i) {
        const Text key = u"Campo 0" + Text(1, char16_t(u'1' + i));
        m_titles[i]->setText(QString::fromStdU16String(settings.Read(u"Nome Campi", key)));
    }
    EmptyFindText();
    m_criteria[0]->setFocus();
}

void TfrmTrovaDatabase::btnCercaMouseDown()
{
    m_lblAttendere->show();
}

void TfrmTrovaDatabase::btnCercaClick()
{
    m_lblAttendere->repaint(); // the wait text shows while the search runs
    std::array<Text, DatabaseLists::SearchFields.size()> typed;
    for (std::size_t i = 0; i < typed.size(); ++i)
        typed[i] = m_criteria[i]->text().toStdU16String();
    const SearchCriteria criteria = DatabaseLists::Criteria(typed);
    m_lblConta->setText(QString::number(criteria.Filled()));

    ResultLines lines;
    try {
        lines = DatabaseLists::Search(criteria);
    } catch (const ArchiveError&) {
        ShowArchiveAccessMessage();
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

void TfrmTrovaDatabase::btnAnnullaClick()
{
    CloseTool();
}

void TfrmTrovaDatabase::FormClose()
{
    ListTool::FormClose();
    m_lblAttendere->hide();
}

void TfrmTrovaDatabase::OpenLine(std::u16string_view line)
{
    if (TrimText(m_lblMemory->text()) == QStringLiteral("database"))
        ShowSheetOfLine(line);
}
