#include "report/ListReport.h"

#include <algorithm>
#include <cmath>

namespace report {

namespace {

// Rounding of millimetre sums must not lose a line that fits exactly.
constexpr double Tolerance = 1e-6;

std::size_t LinesThatFit(double height, double lineHeight)
{
    if (height <= 0 || lineHeight <= 0)
        return 0;
    return static_cast<std::size_t>(std::floor(height / lineHeight + Tolerance));
}

} // namespace

ListLayout::ListLayout(const ListReport& report) : report_(report)
{
    const double pageHeight = report.paper.PrintableHeight();
    lineCount_ = report.lines ? report.lines->Count() : 0;
    firstPageLines_ = LinesThatFit(pageHeight - report.title.height - report.data.box.box.top, report.data.lineHeight);
    pageLines_ = std::max<std::size_t>(1, LinesThatFit(pageHeight - report.data.box.box.top, report.data.lineHeight));

    double lastDataTop = report.title.height;
    std::size_t linesOnLastPage = std::min(lineCount_, firstPageLines_);
    dataPages_ = 1;
    if (lineCount_ > firstPageLines_) {
        const std::size_t rest = lineCount_ - firstPageLines_;
        dataPages_ += (rest + pageLines_ - 1) / pageLines_;
        linesOnLastPage = rest - (dataPages_ - 2) * pageLines_;
        lastDataTop = 0;
    }
    const double dataEnd =
        lastDataTop + report.data.box.box.top + linesOnLastPage * report.data.lineHeight + report.data.padding;
    footerOnOwnPage_ = dataEnd + report.footer.height > pageHeight + Tolerance;
    pageCount_ = dataPages_ + (footerOnOwnPage_ ? 1 : 0);
}

ListPageSlice ListLayout::Slice(std::size_t page) const
{
    ListPageSlice slice;
    if (page >= pageCount_)
        return slice;
    if (page >= dataPages_) {
        slice.footer = true;
        slice.footerTop = 0;
        return slice;
    }
    slice.title = page == 0;
    slice.data = true;
    slice.dataTop = page == 0 ? report_.title.height : 0;
    slice.firstLine = page == 0 ? 0 : firstPageLines_ + (page - 1) * pageLines_;
    const std::size_t room = page == 0 ? firstPageLines_ : pageLines_;
    slice.lineCount = std::min(room, lineCount_ - std::min(lineCount_, slice.firstLine));
    if (page + 1 == dataPages_ && !footerOnOwnPage_) {
        slice.footer = true;
        slice.footerTop = slice.dataTop + report_.data.box.box.top + slice.lineCount * report_.data.lineHeight
                          + report_.data.padding;
    }
    return slice;
}

} // namespace report
