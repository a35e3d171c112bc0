#pragma once
// What the two search tools share (database search, client search): the criteria panel
// `panAvvio` with up to ten criterion boxes, "Cerca" with its wait text, and the switch to
// the results panel for the rest of the tool's life. Each tool supplies its search (archive,
// fields of the boxes, result line) and its boxes (names, titles, places).

#include "kit/ListTool.h"
#include "kit/Widgets.h"
#include "archive/SheetSearch.h"
#include "storage/Records.h"

#include <QRect>
#include <QString>

#include <span>
#include <vector>

class QLabel;
class QLineEdit;

// One criterion box: the box and its title just above it. The record field it searches is
// the search description's field of the same index.
struct CriterionBox {
    const char* box;   // "txtCliente"
    const char* title; // "lblCliente"
    QString titleText; // the design text
    QRect geometry; // of the box
};

// A criterion box as the tool's design names it: box, title label and the title's text.
struct CriterionName {
    const char* box;
    const char* title;
    const char16_t* titleText;
};

// Places the criterion boxes in two columns of 316 x 32 from (160, 122), one row every
// `rowStep`, in the order given (left, right, next row); the boxes from `wideFrom` on take a
// row each, as wide as both columns.
std::vector<CriterionBox> CriteriaInTwoColumns(std::span<const CriterionName> names, int rowStep,
                                               std::size_t wideFrom);

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
               Pictures::Icon icon, const SearchDescription& search, std::vector<CriterionBox> boxes,
               const QFont& titleFont);

    QLabel* Title(std::size_t box) const { return m_titles.at(box); }

    // Empties the find text and puts the focus in the first box.
    void FormShow() override;
    // Empties the list and hides the wait text.
    void FormClose() override;

private:
    const SearchDescription& m_search;
    std::vector<CriterionBox> m_boxes;
    std::vector<QLineEdit*> m_criteria;
    std::vector<QLabel*> m_titles;
    QWidget* m_panAvvio;
    QLabel* m_lblAttendere;
    QLabel* m_lblConta;
    QLabel* m_lblMemory;
};
