#pragma once
// What the two search tools share (database search, client search): the criteria panel
// `panAvvio` with up to ten criterion boxes, "Cerca" with its wait text, and the switch to
// the results panel for the rest of the tool's life. Each tool supplies its boxes (names,
// titles, fields, places) and the search of its own file.

#include "kit/ListTool.h"
#include "kit/Widgets.h"
#include "archive/SheetSearch.h"
#include "storage/Records.h"

#include <QRect>
#include <QString>

#include <vector>

class QLabel;
class QLineEdit;

// One criterion box: the box, its title just above it, and the record field it searches.
struct CriterionBox {
    const char* box;   // "txtCliente"
    const char* title; // "lblCliente"
    QString titleText; // the design text
    FieldSpec field;
    QRect geometry; // of the box
};

class SearchTool : public ListTool {
    Q_OBJECT
public:
    // The marker of the served sheet screen ("database" or "clienti"), kept for show.
    QLabel* Memory() const { return m_lblMemory; }
    QWidget* CriteriaPanel() const { return m_panAvvio; }

    void btnCercaMouseDown();
    void btnCercaClick();
    void btnAnnullaClick();

protected:
    SearchTool(SheetScreen& served, const QString& caption, Text& sharedFindText, const QPixmap& header,
               Pictures::Icon icon, std::vector<CriterionBox> boxes, const QFont& titleFont);

    // The lines of the records the criteria find, in list order. Throws ArchiveError.
    virtual ResultLines Find(const SearchCriteria& criteria) = 0;

    QLabel* Title(std::size_t box) const { return m_titles.at(box); }

    // Empties the find text and puts the focus in the first box.
    void FormShow() override;
    // Empties the list and hides the wait text.
    void FormClose() override;

private:
    std::vector<CriterionBox> m_boxes;
    std::vector<QLineEdit*> m_criteria;
    std::vector<QLabel*> m_titles;
    QWidget* m_panAvvio;
    QLabel* m_lblAttendere;
    QLabel* m_lblConta;
    QLabel* m_lblMemory;
};
