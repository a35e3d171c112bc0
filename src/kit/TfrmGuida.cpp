#include "kit/Maker.h"
#include "kit/TfrmGuida.h"

#include "kit/TMisc.h"
#include "kit/Widgets.h"
#include "storage/ProgramFolder.h"
#include "storage/Platform.h"

#include <QPlainTextEdit>
#include <QPushButton>

TfrmGuida::TfrmGuida(QWidget* opener)
    : ToolDialog(opener, QStringLiteral(" Guida all'utilizzo del software"), QSize(670, 572))
{
    auto* imgLogo = Widgets::NewLabel(this, QStringLiteral("imgLogo"));
    imgLogo->setGeometry(0, 0, 670, 86);
    imgLogo->setPixmap(Pictures::Header(QSize(670, 86), Pictures::Icon::Question, Maker::BrandBlue,
                                        QStringLiteral("Guida all'utilizzo del software"), {}));

    m_lblTitolo = Widgets::NewLabel(this, QStringLiteral("lblTitolo"), QStringLiteral("Argomento della guida."));
    m_lblTitolo->setGeometry(16, 96, 638, 30);
    m_lblTitolo->setFont(Widgets::DesignFont(QStringLiteral("Arial"), 16, true));
    m_lblTitolo->setStyleSheet(QStringLiteral("color: crimson;"));

    m_txtGuida = new QPlainTextEdit(this);
    m_txtGuida->setObjectName(QStringLiteral("txtGuida"));
    m_txtGuida->setGeometry(16, 134, 638, 372);
    m_txtGuida->setReadOnly(true);
    m_txtGuida->setFont(Widgets::DesignFont(QStringLiteral("Verdana"), 12, true));
    m_txtGuida->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_txtGuida->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    auto* imgPDF = new CommandPicture(this, QStringLiteral("imgPDF"),
                                      Pictures::IconPicture(Pictures::Icon::Pdf, 32, QColor(0xC0, 0x1B, 0x1B)));
    imgPDF->setGeometry(16, 524, 32, 32);
    m_lnkWeb = new LinkLabel(this, QStringLiteral("lnkWeb"), QStringLiteral("Visualizza guida in formato PDF"));
    m_lnkWeb->setGeometry(56, 526, 360, 28);
    m_lnkWeb->ShareWith(imgPDF);

    auto* btnChiudi = Widgets::NewButton(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"));
    btnChiudi->setGeometry(544, 522, 110, 36);
    setTabOrder(btnChiudi, m_txtGuida);
    btnChiudi->setFocus();

    connect(m_lnkWeb, &LinkLabel::clicked, this, &TfrmGuida::lnkWebClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmGuida::btnChiudiClick);
}

TfrmGuida::TfrmGuida(QWidget* opener, const QString& title, const QString& text) : TfrmGuida(opener)
{
    SetTopic(title, text);
}

void TfrmGuida::SetTopic(const QString& title, const QString& text)
{
    m_lblTitolo->setText(title);
    m_txtGuida->setPlainText(text);
}

void TfrmGuida::lnkWebClick()
{
    const QString path = QString::fromStdString(platform::PathText(ProgramFile("Guida.pdf")));
    TMisc::Open(u'"' + path + u'"');
}

void TfrmGuida::btnChiudiClick() { CloseTool(); }
