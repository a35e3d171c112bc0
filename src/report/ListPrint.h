#pragma once
// The list print of the four list tools: A4 landscape, the tool's title in a slate-grey band,
// the result lines in "Courier New" 8 pt splitting across pages, and the date of printing in
// a footer band after the last line.
#include "report/ListReport.h"
#include "report/PrintMoment.h"

namespace report {

// `lines` must outlive the report.
ListReport ListPrint(std::u16string_view title, const LineSource& lines, const PrintMoment& moment);

} // namespace report
