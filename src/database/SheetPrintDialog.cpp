#include "database/SheetPrintDialog.h"

#include "kit/Printing.h"
#include "kit/SheetScreen.h"
#include "kit/TextBoxes.h"
#include "kit/Widgets.h"
#include "kit/CommandFaces.h"

#include <QLabel>
#include <QPushButton>

namespace {

QString TitleText(const QWidget& sheet, const QString& name)
{
    const auto* title = sheet.findChild<QLabel*>(name);
    return title ? title->text() : QString();
}

// A line edit or a province box, read as saving and the client page read them.
QString BoxText(const QWidget& sheet, const QString& name)
{
    return TextBoxes::TextOf(sheet.findChild<QWidget*>(name));
}

} // namespace

report::DatabaseSheetTexts ShownDatabaseSheet(const QWidget& sheet)
{
    static const char* const Contacts[] = {"txtCliente", "txtIndirizzoRes", "txtComuneRes", "txtProvRes", "txtEmail",
                                           "txtRecapito", "txtCodFisc", "txtPartitaIva", "txtGoogle", "txtWeb"};
    report::DatabaseSheetTexts texts;
    for (std::size_t i = 0; i < texts.titles.size(); ++i) {
        const QString number = QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
        texts.titles[i] = TitleText(sheet, QStringLiteral("titCampo") + number).toStdU16String();
        texts.values[i] = BoxText(sheet, QStringLiteral("txtCampo") + number).toStdU16String();
    }
    for (std::size_t i = 0; i < std::size(Contacts); ++i)
        texts.values[14 + i] = BoxText(sheet, QString::fromLatin1(Contacts[i])).toStdU16String();
    return texts;
}

SheetPrintDialog::SheetPrintDialog(SheetScreen& sheet, const Look& look, Output output)
    : ToolDialog(&sheet, look.caption, QSize(364, 287), Placement::CentredOnOpener), m_sheet(sheet), m_output(output)
{
    const QSize pictureSize(364, 207);
    auto* picture = Widgets::NewLabel(this, look.pictureName);
    picture->setGeometry(QRect(QPoint(0, 0), pictureSize));
    picture->setPixmap(Pictures::Header(
        pictureSize,
        CommandFaces::Symbolic(Pictures::HeaderIconSide(pictureSize),
                               output == Output::Printer ? CommandFaces::Symbol::Print : CommandFaces::Symbol::Preview),
        look.title, look.lines));

    m_btnAnnulla = Widgets::NewButton(this, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"));
    m_btnAnnulla->setGeometry(16, 228, 150, 40);
    m_btnStampa = Widgets::NewButton(this, QStringLiteral("btnStampa"), look.startCaption);
    m_btnStampa->setGeometry(198, 228, 150, 40);
    setTabOrder(m_btnAnnulla, m_btnStampa);

    connect(m_btnAnnulla, &QPushButton::clicked, this, &SheetPrintDialog::btnAnnullaClick);
    connect(m_btnStampa, &QPushButton::clicked, this, &SheetPrintDialog::btnStampaClick);
}

void SheetPrintDialog::btnStampaClick()
{
    const report::Page page = report::DatabaseSheetPage(ShownDatabaseSheet(m_sheet), Printing::Now());
    if (m_output == Output::Printer)
        Printing::Print(this, page);
    else
        Printing::Preview(this, page);
    CloseTool();
}

void SheetPrintDialog::btnAnnullaClick()
{
    CloseTool();
}
