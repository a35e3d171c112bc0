#include "database/SheetPrintDialog.h"

#include "kit/Printing.h"
#include "database/TfrmDatabase.h"
#include "kit/Widgets.h"
#include "kit/CommandFaces.h"

#include <QLabel>
#include <QPushButton>

SheetPrintDialog::SheetPrintDialog(TfrmDatabase& sheet, const Look& look, Output output)
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
    const report::Page page = report::DatabaseSheetPage(m_sheet.ShownSheet(), Printing::Now());
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
