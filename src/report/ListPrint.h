#pragma once
// The list print of the four list tools: A4 landscape, the tool's title in a slate-grey band,
// the result lines in "Courier New" 8 pt splitting across pages, and the date of printing in
// a footer band after the last line.
#include "archive/ResultLines.h"
#include "report/ListReport.h"
#include "report/PrintMoment.h"

namespace report {

// The lines of a list tool as the print reads them, in the order the list shows them.
class ResultLineSource : public LineSource {
public:
    explicit ResultLineSource(const ResultLines& lines) : m_lines(lines) {}
    std::size_t Count() const override { return m_lines.Size(); }
    Text Line(std::size_t index) const override { return m_lines.Line(index); }

private:
    const ResultLines& m_lines;
};

// `lines` must outlive the report.
ListReport ListPrint(std::u16string_view title, const LineSource& lines, const PrintMoment& moment);

} // namespace report
