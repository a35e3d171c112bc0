#include "checkers/CheckerDialog.h"

#include "kit/Icons.h"
#include "kit/Widgets.h"

#include <QLineEdit>
#include <QPushButton>

CheckerDialog::CheckerDialog(QWidget* opener, const CheckerLook& look)
    : ToolDialog(opener, look.caption, look.clientSize, Placement::CentredOnScreen), m_typingLimit(look.typingLimit)
{
    const int width = look.clientSize.width();
    const int height = look.clientSize.height();
    const QSize headerSize(width, 80);

    auto* imgLogo = Widgets::NewLabel(this, QStringLiteral("imgLogo"));
    imgLogo->setGeometry(QRect(QPoint(0, 0), headerSize));
    imgLogo->setPixmap(Pictures::Header(
        headerSize, Icons::Picture(look.headerIcon, Pictures::HeaderIconSide(headerSize)), look.headerTitle, {}));

    auto* lblTitolo = Widgets::NewLabel(this, QStringLiteral("lblTitolo"), look.instruction);
    lblTitolo->setGeometry(16, 92, width - 32, 22);
    lblTitolo->setFont(Widgets::DesignFont(QStringLiteral("Tahoma"), 10));

    m_box = Widgets::NewLineEdit(this, look.boxName);
    m_box->setGeometry(16, 122, width - 32, 46);
    m_box->setFont(Widgets::DesignFont(QStringLiteral("Courier New"), 20, true));
    m_box->setMaxLength(m_typingLimit);
    TextBoxes::SetKind(m_box, look.kind);

    auto* btnControlla = Widgets::NewButton(this, QStringLiteral("btnControlla"), QStringLiteral("Controlla"));
    auto* btnChiudi = Widgets::NewButton(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"));
    btnChiudi->setGeometry(width - 16 - 110, height - 52, 110, 36);
    btnControlla->setGeometry(width - 16 - 110 - 10 - 110, height - 52, 110, 36);
    setTabOrder(m_box, btnControlla);
    setTabOrder(btnControlla, btnChiudi);
    TextBoxes::SetEnterSuccessor(m_box, btnControlla);

    connect(btnControlla, &QPushButton::clicked, this, [this] { btnControllaClick(); });
    connect(btnChiudi, &QPushButton::clicked, this, &CheckerDialog::btnChiudiClick);
    connect(m_box, &QLineEdit::textChanged, this, &CheckerDialog::KeepTypingLimit);
}

void CheckerDialog::Prefill(const QString& text)
{
    // QLineEdit cuts a text longer than its limit: widen the limit first.
    m_box->setMaxLength(qMax(m_typingLimit, int(text.size())));
    m_box->setText(text);
}

// A text longer than the typing limit (placed by the sheet) can be shortened but never
// lengthened by typing; once it is within the limit, the limit holds again.
void CheckerDialog::KeepTypingLimit()
{
    m_box->setMaxLength(qMax(m_typingLimit, int(m_box->text().size())));
}

void CheckerDialog::FormShow()
{
    m_box->setFocus(Qt::OtherFocusReason);
}

void CheckerDialog::AskAgain(const QString& warning)
{
    Messages::Warning(this, warning);
    m_box->setFocus(Qt::OtherFocusReason);
}

void CheckerDialog::Conclude(MessageKind kind, const QString& text)
{
    if (kind == MessageKind::Information)
        Messages::Information(this, text);
    else
        Messages::Warning(this, text);
    CloseTool();
}

void CheckerDialog::btnChiudiClick()
{
    CloseTool();
}
