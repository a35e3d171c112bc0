// Runs the number checks on lines read from standard input, one result line per input line,
// for the comparison with an independent implementation (compare_stdnum.py).
//
//   cf <text>        1 / 0: FiscalCodeValid
//   cfletter <text>  the check letter of fifteen characters, or -
//   iva <text>       1 / 0: VatNumberValid
//   ivadigit <text>  the check digit of ten digits, or -
//   card <text>      <1 / 0: check digit right> <CardCheckResult>
//   iban <text>      1 / 0: IbanValid
//
// Kind and text are separated by one tab; texts are UTF-8.

#include "checkers/NumberChecks.h"
#include "storage/Text.h"

#include <iostream>
#include <string>

namespace {

std::string Result(const std::string& kind, const Text& text)
{
    if (kind == "cf")
        return FiscalCodeValid(text) ? "1" : "0";
    if (kind == "cfletter") {
        const auto letter = FiscalCodeCheckLetter(text);
        return letter ? std::string(1, static_cast<char>(*letter)) : "-";
    }
    if (kind == "iva")
        return VatNumberValid(text) ? "1" : "0";
    if (kind == "ivadigit") {
        const auto digit = VatCheckDigit(text);
        return digit ? std::to_string(*digit) : "-";
    }
    if (kind == "card")
        return std::string(CardCheckDigitRight(text) ? "1 " : "0 ") + std::to_string(CardCheckResult(text));
    if (kind == "iban")
        return IbanValid(text) ? "1" : "0";
    return "?";
}

} // namespace

int main()
{
    std::ios::sync_with_stdio(false);
    std::string line;
    while (std::getline(std::cin, line)) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) {
            std::cout << "?\n";
            continue;
        }
        std::cout << Result(line.substr(0, tab), FromUtf8(line.substr(tab + 1))) << '\n';
    }
    return 0;
}
