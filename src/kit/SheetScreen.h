#pragma once

#include "kit/ScreenFlow.h"
#include "kit/Screens.h"
#include "kit/SheetTools.h"
#include "archive/SheetArchive.h"
#include "storage/Records.h"

#include <QList>
#include <QString>
#include <array>
#include <span>

class CommandPicture;
class QCheckBox;
class QLabel;
class StatusLine;

// The three attached files of a sheet and their descriptions, as the hidden labels
// lblFile01 ... lblFile03 and lblDesc01 ... lblDesc03 hold them.
struct AttachmentTexts {
    std::array<QString, 3> files;
    std::array<QString, 3> descriptions;
    bool operator==(const AttachmentTexts&) const = default;

    // As a list in the order lblFile01, lblDesc01, lblFile02, lblDesc02, lblFile03, lblDesc03.
    static AttachmentTexts FromList(const QStringList& texts);
    QStringList ToList() const;
};

// What the database and the client sheet screens share. A sheet screen shows one record of
// its archive in boxes bound to the record's fields; the base does everything that depends
// only on that binding: clearing, showing a record (MostraScheda), building the record to
// save, the four navigation commands, new, save and duplicate, the hidden attachment labels,
// the position label, the status line, the exit command and handing back to the start menu.
// A screen configures it with its record layout and binds its boxes in its constructor.
class SheetScreen : public WorkScreen {
    Q_OBJECT
public:
    // What every sheet screen says when the archive holds no sheet.
    static QString EmptyArchiveMessage();

    // The archive whose sheets the screen shows.
    Archive Kind() const { return m_kind; }

    // The sheet's position (1-based), or NewSheet for a sheet not yet in the archive;
    // lblPosizione shows it.
    SheetPosition Position() const { return m_position; }

    // Puts a stored record of the screen's archive and its position (1-based) on screen.
    // The list tools show the sheet the user picked with it.
    void MostraScheda(const uint8_t* record, SheetPosition position) { ShowRecord(record, position); }
    // The attachment texts, trimmed, as the attachments tool receives them.
    AttachmentTexts Attachments() const;
    // Where the attachments tool writes the six texts back when the user applies.
    void SetAttachmentTexts(const AttachmentTexts& texts);

    // What the sheet shows now, unsaved edits included, one text per field of the record:
    // every bound box as typed, the mark as "Sì" or "No", the attachment texts. The printed
    // pages and the client PDF take it.
    std::vector<Text> ShownFields() const;

    void cmdNuovoClick();
    void cmdSalvaClick();
    void cmdDuplicaClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void cmdEsciClick();

protected:
    // `flow` takes the user back to the start menu; `tools` opens the tools of other parts
    // of the program (every opener must be given).
    SheetScreen(Archive kind, ScreenFlow& flow, SheetTools::Openers tools, const QString& caption,
                const QColor& statusColour, const RecordLayout& layout, QWidget* parent = nullptr);

    void OpenCheck(SheetTools::Check check, const QString& text);
    void OpenAttachments();
    void OpenClientSearch(SheetTools::ClientPicked picked);

    // Binding, in the constructor of the screen. A text box (line edit or province box) shows
    // one field and accepts at most the field's width; `initialText` is what a new sheet holds.
    template <class Field>
    void BindBox(Field field, QWidget* box, const QString& initialText = {})
    {
        BindBoxAt(static_cast<std::size_t>(field), box, initialText);
    }
    // The check box of the sheet's mark ("Sì" ticked, "No" unticked).
    template <class Field>
    void BindMark(Field field, QCheckBox* box)
    {
        m_markField = static_cast<std::size_t>(field);
        m_mark = box;
    }
    // The six attachment fields: File01, File02, File03, Desc01, Desc02, Desc03.
    template <class Field>
    void BindAttachments(Field file01, Field file02, Field file03, Field desc01, Field desc02, Field desc03)
    {
        m_attachmentFields = {static_cast<std::size_t>(file01), static_cast<std::size_t>(file02),
                              static_cast<std::size_t>(file03), static_cast<std::size_t>(desc01),
                              static_cast<std::size_t>(desc02), static_cast<std::size_t>(desc03)};
    }
    // A box that must not be empty (trimmed) for the sheet to be saved, and its warning;
    // checked in the order they are added.
    void RequireBox(QWidget* box, const QString& warning);
    // The box that takes the focus on a new or duplicated sheet.
    void SetFirstBox(QWidget* box) { m_firstBox = box; }

    // Puts a record of the layout and its position on screen: every bound box gets its field
    // decoded and trimmed; the mark is ticked on "Sì", unticked on "No", left alone otherwise;
    // the attachment labels get their fields; lblPosizione the position in decimal digits.
    void ShowRecord(const uint8_t* record, SheetPosition position);
    // The record the screen holds: every field encoded from its box (trimmed, cut to width),
    // the mark as "Sì" or "No", the attachments from the labels.
    std::vector<uint8_t> BuildRecord() const;
    // Empties the sheet: boxes to their initial texts, mark unticked, attachment labels and
    // position empty, province lists without a selection.
    void ClearSheet();

    void FormShow() override;
    void FormClose() override;

    StatusLine* Status() const { return m_status; }
    QLabel* PositionLabel() const { return m_lblPosizione; }
    CommandPicture* ExitCommand() const { return m_cmdEsci; }
    QWidget* FirstBox() const { return m_firstBox; }

private:
    struct BoundBox {
        std::size_t field;
        QWidget* box;
        QString initialText;
    };

    void BindBoxAt(std::size_t field, QWidget* box, const QString& initialText);
    void Navigate(SheetMove move);
    void SetPosition(SheetPosition position);
    void ShowAttachments(const AttachmentTexts& texts);
    // Slot 0..2 a file, 3..5 its description, in the order of the bound attachment fields.
    const QString& AttachmentText(std::size_t slot) const;
    void ShowArchiveFailure(const FileError& error);

    Archive m_kind;
    ScreenFlow& m_flow;
    SheetTools::Openers m_tools;
    SheetArchive m_archive;
    std::span<const FieldSpec> m_fields;
    QList<BoundBox> m_boxes;
    std::size_t m_markField = 0;
    QCheckBox* m_mark = nullptr;
    std::array<std::size_t, 6> m_attachmentFields{};
    SheetPosition m_position = NewSheet;
    AttachmentTexts m_attachments;
    std::array<QLabel*, 6> m_attachmentLabels{}; // lblFile01..03, lblDesc01..03
    QList<QPair<QWidget*, QString>> m_required;
    QWidget* m_firstBox = nullptr;

    StatusLine* m_status;
    QLabel* m_lblPosizione;
    CommandPicture* m_cmdEsci;
};
