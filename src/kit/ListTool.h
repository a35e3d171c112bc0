#pragma once
// What the four list tools share (database search, flagged sheets, client search, clients
// to recontact): the results panel with the find box and the list of result lines, the
// find in list, and opening the record of a double-clicked line.

#include "kit/Screens.h"
#include "kit/SheetScreen.h"
#include "archive/ResultLines.h"
#include "storage/Progress.h"
#include "storage/Text.h"

#include <QAbstractListModel>
#include <QFont>
#include <QListView>

#include <cstddef>
#include <functional>
#include <optional>
#include "storage/FileError.h"
#include <string_view>

class QLabel;
class QLineEdit;
class QPushButton;

// The result lines as a list model: no item object per line, whatever the count. Every
// line shows in "Courier New" 11, black, whatever the list's own style, in an item 1400
// units wide, so that the columns line up and the list scrolls sideways.
class ResultLinesModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int ItemWidth = 1400;

    explicit ResultLinesModel(QObject* parent = nullptr);

    void SetLines(ResultLines lines);
    const ResultLines& Lines() const { return m_lines; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    ResultLines m_lines;
    QFont m_font;
    QSize m_itemSize;
};

// The list `lstRecords` of a list tool: one selectable line per record, scroll bars always
// shown. Any double-click on it (on a line or not) is reported.
class ResultList : public QListView {
    Q_OBJECT
public:
    explicit ResultList(QWidget* parent);

    ResultLinesModel* Lines() const { return m_model; }
    std::optional<std::size_t> SelectedRow() const;
    std::optional<Text> SelectedLine() const;
    void SelectRow(std::size_t row);

signals:
    void doubleClickedAnywhere();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    ResultLinesModel* m_model;
};

// A list tool: 862 x 560, shaded from black at the top to white at the bottom, with the
// results panel `panContainer`. Each tool supplies its lines, its header picture, its tab
// order and what opening a line does; the find text of "Trova" is shared by every instance
// of one tool (each tool class keeps its own).
class ListTool : public ToolDialog {
    Q_OBJECT
public:
    static const QString EmptyListText;

    void btnTrovaClick();
    void lstRecordsDblClick();
    // Prints the lines as the list shows them, under the tool's print title, after the
    // print dialog.
    void btnStampaClick();
    void btnChiudiClick();

    QWidget* ResultsPanel() const { return m_panContainer; }
    ResultList* Records() const { return m_lstRecords; }
    QLineEdit* FindBox() const { return m_txtTrova; }
    QPushButton* FindButton() const { return m_btnTrova; }
    QPushButton* PrintButton() const { return m_btnStampa; }
    QPushButton* CloseButton() const { return m_btnChiudi; }
    // `lblTrovate`, the count of lines under the list (search tools only; else nullptr).
    QLabel* CountLabel() const { return m_lblTrovate; }
    // The title of the list print ("Riepilogo Schede").
    const QString& PrintTitle() const { return m_printTitle; }

protected:
    enum class Count { Shown, None };

    // The tool serves one sheet screen: opening a line puts that line's record on it.
    ListTool(SheetScreen& served, const QString& caption, Text& sharedFindText, const QPixmap& header, Count count);

    SheetScreen& Served() const { return m_served; }
    // Each tool names its list print.
    void SetPrintTitle(const QString& title) { m_printTitle = title; }

    // Puts the lines (already in list order) in the list.
    void ShowLines(ResultLines lines);
    // Empties the shared find text and the find box: each showing starts a new find.
    void EmptyFindText();
    // The showing of a list of marked records (flagged sheets, clients to recontact): a new
    // find, the lines `list` adds, the focus in the find box. When reading fails, the lines
    // read before the failure are shown and the archive-access message follows. A long read
    // shows its progress with `waitText`.
    void ShowMarkedLines(const std::function<void(ResultLines&, Progress&)>& list, const QString& waitText);
    // The tab order of such a list: find box, list, "Stampa", "Trova", "Chiudi".
    void SetMarkedListTabOrder();
    // Puts the record of `line` on its sheet screen, if a record of the file has that line.
    // Throws FileFailure.
    virtual void OpenLine(std::u16string_view line) = 0;
    // Runs when the tool closes, by any of its commands: empties the list.
    virtual void FormClose();
    // The archive-access text as a plain message; the error's text goes to standard error.
    void ShowArchiveAccessMessage(const FileError& error);
    // A dialog makes a button its default on showing and when the focus leaves a button,
    // and Enter on the list would then press it; here Enter presses only a focused button.
    void ForgetDefaultButton();

    void done(int result) override;
    void setVisible(bool visible) override;
    void paintEvent(QPaintEvent* event) override;

private:
    SheetScreen& m_served;
    Text& m_sharedFindText;
    QWidget* m_panContainer;
    QLineEdit* m_txtTrova;
    QPushButton* m_btnTrova;
    ResultList* m_lstRecords;
    QPushButton* m_btnChiudi;
    QPushButton* m_btnStampa;
    QLabel* m_lblTrovate = nullptr;
    QString m_printTitle = QStringLiteral("Riepilogo");
};
