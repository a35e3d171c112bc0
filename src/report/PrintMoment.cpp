#include "report/PrintMoment.h"

namespace report {

namespace {

void AppendDigits(Text& text, int value, int digits)
{
    Text number;
    for (int i = 0; i < digits || value > 0; ++i) {
        number.insert(number.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    }
    text += number;
}

} // namespace

Text ShortDate(const PrintMoment& moment)
{
    Text text;
    AppendDigits(text, moment.day, 2);
    text += u'/';
    AppendDigits(text, moment.month, 2);
    text += u'/';
    AppendDigits(text, moment.year, 4);
    return text;
}

Text LongTime(const PrintMoment& moment)
{
    Text text;
    AppendDigits(text, moment.hour, 2);
    text += u':';
    AppendDigits(text, moment.minute, 2);
    text += u':';
    AppendDigits(text, moment.second, 2);
    return text;
}

Text PrintDateLine(const PrintMoment& moment)
{
    return u"Stampa eseguita in data " + ShortDate(moment);
}

Text PrintTimeLine(const PrintMoment& moment)
{
    return PrintDateLine(moment) + u" alle ore " + LongTime(moment);
}

} // namespace report
