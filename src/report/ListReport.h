#pragma once
// A list report: a title band printed once at the top, one data band holding a text line per
// list line that splits across as many pages as it needs, and a footer band printed once
// after it. The lines are read from their source while a page is painted, never copied, so
// printing a long list needs no more memory than one page.
#include "report/Page.h"
#include "storage/Text.h"

#include <cstddef>
#include <string_view>

namespace report {

// The lines of the data band, in printing order.
class LineSource {
public:
    virtual ~LineSource() = default;
    virtual std::size_t Count() const = 0;
    virtual Text Line(std::size_t index) const = 0;
};

// A band of absolutely positioned elements; positions from the band's top-left corner.
struct Band {
    double height = 0;
    std::vector<Element> elements;
};

// The data band: one text box (`box.text` unused, its height follows the lines) showing
// `lineHeight` millimetres per line, and `padding` below the last line.
struct DataBand {
    TextBox box;
    double lineHeight = 0;
    double padding = 0;
};

struct ListReport {
    std::string name;
    Paper paper;
    Band title;
    DataBand data;
    const LineSource* lines = nullptr;
    Band footer;
};

// What one page of a list report holds.
struct ListPageSlice {
    bool title = false;
    bool data = false;     // the data band has a piece on this page, at dataTop
    double dataTop = 0;
    std::size_t firstLine = 0;
    std::size_t lineCount = 0;
    bool footer = false;   // the footer band is on this page, at footerTop
    double footerTop = 0;
};

// Where the bands of a list report fall: the title on the first page, the lines page after
// page, the footer after the last line or, when it does not fit there, on a page of its own.
class ListLayout {
public:
    explicit ListLayout(const ListReport& report);

    std::size_t PageCount() const { return pageCount_; }
    ListPageSlice Slice(std::size_t page) const;
    std::size_t LinesOnFirstPage() const { return firstPageLines_; }
    std::size_t LinesPerPage() const { return pageLines_; }

private:
    const ListReport& report_;
    std::size_t lineCount_ = 0;
    std::size_t firstPageLines_ = 0;
    std::size_t pageLines_ = 0;
    std::size_t dataPages_ = 0;
    bool footerOnOwnPage_ = false;
    std::size_t pageCount_ = 0;
};

} // namespace report
