#include "kit/SheetScreen.h"

#include "kit/DesignColours.h"
#include "kit/CommandBar.h"
#include "kit/Failures.h"
#include "kit/Messages.h"
#include "kit/StatusLine.h"
#include "kit/TextBoxes.h"
#include "kit/TextRules.h"
#include "kit/WaitCursor.h"
#include "kit/Widgets.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace {

const char* const AttachmentLabelNames[6] = {"lblFile01", "lblFile02", "lblFile03",
                                             "lblDesc01", "lblDesc02", "lblDesc03"};

} // namespace

QString SheetScreen::EmptyArchiveMessage()
{
    return QStringLiteral("L'archivio non contiene nessuna scheda.");
}

SheetScreen::SheetScreen(Archive kind, ScreenFlow& flow, SheetTools::Openers tools, const QString& caption,
                         const QColor& statusColour, const RecordLayout& layout, QWidget* parent)
    : WorkScreen(caption, parent), m_kind(kind), m_flow(flow), m_tools(std::move(tools)), m_archive(layout),
      m_fields(layout.fields)
{
    m_tools.RequireAll();
    QWidget* design = Design();
    QWidget* shpContainer = Widgets::NewShape(design, QStringLiteral("shpContainer"), QRect(0, 0, 1016, 713),
                                              QStringLiteral("background: #E4EBF5;"));
    m_status = new StatusLine(this, design, QRect(0, 681, 1016, 32), statusColour,
                              QStringLiteral("Pronto per archiviare una nuova scheda..."));
    m_status->AddBackground(shpContainer);

    m_cmdEsci = new CommandPicture(design, QStringLiteral("cmdEsci"),
        CommandPicture::Drawn(QSize(120, 44), QStringLiteral("Esci"),
                              Pictures::IconPicture(Pictures::Icon::Exit, 30, Qt::white),
                              DesignColours::CommandFace, DesignColours::Ink));
    m_cmdEsci->setGeometry(884, 626, 120, 44);
    m_status->SetHoverText(m_cmdEsci, CommandBar::HoverText(QStringLiteral("cmdEsci")));

    m_lblPosizione = Widgets::NewLabel(design, QStringLiteral("lblPosizione"));
    m_lblPosizione->setAlignment(Qt::AlignCenter);
    m_lblPosizione->setFont(Widgets::DesignFont(QStringLiteral("Verdana"), 12, true));
    for (std::size_t i = 0; i < m_attachmentLabels.size(); ++i)
        m_attachmentLabels[i] = Widgets::NewHiddenLabel(design, QString::fromLatin1(AttachmentLabelNames[i]));

    connect(m_cmdEsci, &CommandPicture::clicked, this, &SheetScreen::cmdEsciClick);
}

void SheetScreen::BindBoxAt(std::size_t field, QWidget* box, const QString& initialText)
{
    TextBoxes::SetFieldWidth(box, int(m_fields[field].width));
    m_boxes.append({field, box, initialText});
}

void SheetScreen::RequireBox(QWidget* box, const QString& warning)
{
    m_required.append({box, warning});
}

void SheetScreen::SetPosition(SheetPosition position)
{
    m_position = position;
    m_lblPosizione->setText(position == NewSheet ? QString() : QString::number(position));
}

// The labels are in the order of the record: the three files, then the three descriptions.
void SheetScreen::ShowAttachments(const AttachmentTexts& texts)
{
    m_attachments = texts;
    for (std::size_t i = 0; i < 3; ++i) {
        m_attachmentLabels[i]->setText(texts.files[i]);
        m_attachmentLabels[3 + i]->setText(texts.descriptions[i]);
    }
}

AttachmentTexts SheetScreen::Attachments() const
{
    AttachmentTexts texts;
    for (std::size_t i = 0; i < 3; ++i) {
        texts.files[i] = TrimText(m_attachments.files[i]);
        texts.descriptions[i] = TrimText(m_attachments.descriptions[i]);
    }
    return texts;
}

void SheetScreen::SetAttachmentTexts(const AttachmentTexts& texts)
{
    AttachmentTexts trimmed;
    for (std::size_t i = 0; i < 3; ++i) {
        trimmed.files[i] = TrimText(texts.files[i]);
        trimmed.descriptions[i] = TrimText(texts.descriptions[i]);
    }
    ShowAttachments(trimmed);
}

const QString& SheetScreen::AttachmentText(std::size_t slot) const
{
    return slot < 3 ? m_attachments.files[slot] : m_attachments.descriptions[slot - 3];
}

std::vector<Text> SheetScreen::ShownFields() const
{
    std::vector<Text> texts(m_fields.size());
    for (const BoundBox& bound : m_boxes)
        texts[bound.field] = TextBoxes::TextOf(bound.box).toStdU16String();
    if (m_mark)
        texts[m_markField] = Text(m_mark->isChecked() ? MarkYes : MarkNo);
    for (std::size_t i = 0; i < m_attachmentFields.size(); ++i)
        texts[m_attachmentFields[i]] = AttachmentText(i).toStdU16String();
    return texts;
}

void SheetScreen::ShowRecord(const uint8_t* record, SheetPosition position)
{
    auto decoded = [&](std::size_t field) {
        const FieldSpec& fieldSpec = m_fields[field];
        return ToQString(DecodeText(record + fieldSpec.offset, fieldSpec.width));
    };
    for (const BoundBox& bound : m_boxes)
        TextBoxes::ShowText(bound.box, decoded(bound.field));
    if (m_mark) {
        const QString mark = decoded(m_markField);
        if (mark == ToQString(Text(MarkYes)))
            m_mark->setChecked(true);
        else if (mark == ToQString(Text(MarkNo)))
            m_mark->setChecked(false);
    }
    AttachmentTexts attachments;
    for (std::size_t i = 0; i < 3; ++i) {
        attachments.files[i] = decoded(m_attachmentFields[i]);
        attachments.descriptions[i] = decoded(m_attachmentFields[3 + i]);
    }
    ShowAttachments(attachments);
    SetPosition(position);
}

std::vector<uint8_t> SheetScreen::BuildRecord() const
{
    std::vector<uint8_t> record(m_archive.RecordSize(), 0);
    auto encode = [&](std::size_t field, const QString& text) {
        const FieldSpec& fieldSpec = m_fields[field];
        EncodeText(ToText(text), fieldSpec.width, record.data() + fieldSpec.offset);
    };
    for (const BoundBox& bound : m_boxes)
        encode(bound.field, TextBoxes::TextOf(bound.box));
    if (m_mark)
        encode(m_markField, ToQString(Text(m_mark->isChecked() ? MarkYes : MarkNo)));
    for (std::size_t i = 0; i < m_attachmentFields.size(); ++i)
        encode(m_attachmentFields[i], AttachmentText(i));
    return record;
}

void SheetScreen::ClearSheet()
{
    for (const BoundBox& bound : m_boxes) {
        if (auto* province = qobject_cast<ProvinceBox*>(bound.box))
            province->setCurrentIndex(-1);
        TextBoxes::ShowText(bound.box, bound.initialText);
    }
    if (m_mark)
        m_mark->setChecked(false);
    ShowAttachments({});
    SetPosition(NewSheet);
}

void SheetScreen::FormShow()
{
    ClearSheet();
    if (m_firstBox)
        m_firstBox->setFocus(Qt::OtherFocusReason);
}

void SheetScreen::FormClose()
{
    m_flow.ShowStartMenu();
}

void SheetScreen::OpenCheck(SheetTools::Check check, const QString& text)
{
    m_tools.check(this, check, text);
}

void SheetScreen::OpenAttachments()
{
    m_tools.attachments(*this);
}

void SheetScreen::OpenClientSearch(SheetTools::ClientPicked picked)
{
    m_tools.clientSearch(*this, std::move(picked));
}

void SheetScreen::cmdEsciClick()
{
    close();
}

void SheetScreen::cmdNuovoClick()
{
    ClearSheet();
    if (m_firstBox)
        m_firstBox->setFocus(Qt::OtherFocusReason);
}

void SheetScreen::cmdSalvaClick()
{
    for (const auto& [box, warning] : m_required) {
        if (TrimText(TextBoxes::TextOf(box)).isEmpty()) {
            Messages::Warning(this, warning);
            box->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    const std::vector<uint8_t> record = BuildRecord();
    WaitCursor waiting; // while another copy of the program saves, this save waits its turn
    const SaveResult saved = m_archive.Save(record.data(), Position());
    waiting.Restore();
    if (saved.written)
        SetPosition(saved.position);
    switch (saved.outcome) {
    case SaveResult::Outcome::Overwritten:
        Messages::Information(this, QStringLiteral("Le modifiche apportate alla scheda corrente sono state "
                                                   "salvate in archivio."));
        break;
    case SaveResult::Outcome::Appended:
        Messages::Information(this, QStringLiteral("La scheda corrente è stata inserita in archivio."));
        break;
    case SaveResult::Outcome::Failed:
        ShowArchiveFailure(saved.failure);
        break;
    }
}

void SheetScreen::cmdDuplicaClick()
{
    if (Position() == NewSheet) {
        Messages::Warning(this, QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto "
                                               "dopo che questa è stata inserita in archivio."));
        return;
    }
    ShowAttachments({});
    SetPosition(NewSheet);
    WaitCursor waiting; // opening for writing may be slow, as on a network share
    const FileOutcome touched = m_archive.Touch();
    waiting.Restore();
    if (m_firstBox)
        m_firstBox->setFocus(Qt::OtherFocusReason);
    if (!touched) {
        ShowArchiveFailure(touched.Error());
        return;
    }
    Messages::Information(this, QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda "
                                               "corrente.\n\r\n\rAl termine premere Salva per inserire la "
                                               "scheda in archivio."));
}

void SheetScreen::cmdPrimoClick() { Navigate(SheetMove::First); }
void SheetScreen::cmdIndietroClick() { Navigate(SheetMove::Previous); }
void SheetScreen::cmdAvantiClick() { Navigate(SheetMove::Next); }
void SheetScreen::cmdUltimoClick() { Navigate(SheetMove::Last); }

void SheetScreen::Navigate(SheetMove move)
{
    const MoveResult moved = m_archive.Move(move, Position());
    switch (moved.outcome) {
    case MoveResult::Outcome::Show:
        ShowRecord(moved.record.data(), moved.position);
        break;
    case MoveResult::Outcome::Stay:
        break;
    case MoveResult::Outcome::Empty:
        if (moved.forgetPosition)
            SetPosition(NewSheet);
        Messages::Information(this, EmptyArchiveMessage());
        break;
    case MoveResult::Outcome::Failed:
        ShowArchiveFailure(moved.failure);
        break;
    }
}

void SheetScreen::ShowArchiveFailure(const FileError& error)
{
    Failures::ReportArchiveAccess(this, MessageKind::Error, error);
}

AttachmentTexts AttachmentTexts::FromList(const QStringList& texts)
{
    AttachmentTexts result;
    for (int slot = 0; slot < 3; ++slot) {
        result.files[slot] = texts.value(2 * slot);
        result.descriptions[slot] = texts.value(2 * slot + 1);
    }
    return result;
}

QStringList AttachmentTexts::ToList() const
{
    QStringList texts;
    for (int slot = 0; slot < 3; ++slot)
        texts << files[slot] << descriptions[slot];
    return texts;
}
