#pragma once
// The moment a print command runs, as the footers of the printed pages show it.
#include "storage/Text.h"

namespace report {

struct PrintMoment {
    int day = 1;
    int month = 1;
    int year = 2000;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// "dd/mm/yyyy"
Text ShortDate(const PrintMoment& moment);
// "hh:mm:ss"
Text LongTime(const PrintMoment& moment);
// "Stampa eseguita in data dd/mm/yyyy alle ore hh:mm:ss", the footer of a sheet page.
Text PrintTimeLine(const PrintMoment& moment);
// "Stampa eseguita in data dd/mm/yyyy", the footer of a list.
Text PrintDateLine(const PrintMoment& moment);

} // namespace report
