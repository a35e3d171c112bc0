#pragma once
// Paints a page description or a list report on any paged device (a printer, the print
// preview's printer, a PDF writer): the same code for paper, screen and file.
#include "report/ListReport.h"
#include "report/Page.h"
#include "storage/Progress.h"

#include <QString>

class QPagedPaintDevice;

// A document to paint: one page description or one list report, not owned.
class ReportDocument {
public:
    ReportDocument(const report::Page& page) : m_page(&page) {}
    ReportDocument(const report::ListReport& list) : m_list(&list) {}

    const report::Paper& Paper() const { return m_page ? m_page->paper : m_list->paper; }
    QString Name() const;

    // Sets the device's page (A4, orientation, margins) and paints every page on it. False
    // when the device cannot be painted on (a printer or file that refuses). `progress` hears
    // how many pages are painted.
    bool PaintOn(QPagedPaintDevice& device, Progress& progress = Unwatched()) const;

private:
    const report::Page* m_page = nullptr;
    const report::ListReport* m_list = nullptr;
};

namespace PageRenderer {

// Gives the device the paper of a report: A4 in its orientation, with its margins.
void SetPaper(QPagedPaintDevice& device, const report::Paper& paper);

} // namespace PageRenderer
