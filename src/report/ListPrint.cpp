#include "report/ListPrint.h"

namespace report {

ListReport ListPrint(std::u16string_view title, const LineSource& lines, const PrintMoment& moment)
{
    ListReport report;
    report.name = "Riepilogo dati";
    report.paper = {Orientation::Landscape, 10};
    report.title.height = 8;
    report.title.elements.push_back(TextBox{"txtTitolo", {2, 1, 273, 5}, {"Verdana", 9, true}, White, SlateGrey,
                                            Align::Centre, Text(title)});
    report.data.box = TextBox{"txtRiepilogo", {3, 0, 273, 0}, {"Courier New", 8, false}, Black, std::nullopt,
                              Align::Left, {}, 0};
    report.data.lineHeight = MmFromUnits(12.822);
    report.data.padding = MmFromUnits(10);
    report.lines = &lines;
    report.footer.height = 8;
    report.footer.elements.push_back(TextBox{"txtPagina", {3, 2, 272, 5}, {"Verdana", 8, true}, White, SlateGrey,
                                             Align::Centre, PrintDateLine(moment)});
    return report;
}

} // namespace report
