#pragma once
// The four number checks of the side tools: Italian fiscal code, Italian VAT number,
// payment-card number, IBAN. Plain functions on texts; the screens only show the verdicts.
#include <optional>
#include <span>
#include <string_view>

// --- Fiscal code (codice fiscale) ---------------------------------------------------------

// The check letter of the first fifteen characters (upper case expected); none when there
// are not fifteen of them or one lies outside '0'..'Z', which has no weight.
std::optional<char16_t> FiscalCodeCheckLetter(std::u16string_view firstFifteen);
// True when the text has sixteen characters and the last is the check letter of the first
// fifteen. Letters a-z count as capitals. Which places hold letters and which digits is not
// examined.
bool FiscalCodeValid(std::u16string_view code);
// A fiscal code field holding digits only is a VAT number, checked as such.
bool IsDigitsOnly(std::u16string_view text);

// --- VAT number (partita IVA) -------------------------------------------------------------

// The check digit of the first ten digits; none when the text is not ten digits.
std::optional<int> VatCheckDigit(std::u16string_view firstTen);
// True for eleven digits whose last is the check digit of the first ten.
bool VatNumberValid(std::u16string_view number);

struct VatOfficeRow {
    std::u16string_view code; // three digits
    std::u16string_view name;
};
// The 104 offices, by code: 001 to 102, then 120 and 121.
std::span<const VatOfficeRow> VatOffices();
// The office of a three-digit code; none for a code the table does not hold.
std::optional<std::u16string_view> VatOffice(std::u16string_view officeCode);
// Digits 8 to 10 of a VAT number.
std::u16string_view VatOfficeCode(std::u16string_view number);

// --- Payment card -------------------------------------------------------------------------

// The Luhn test on the digits among the first twenty characters of the text (after
// conversion to Windows-1252); other characters are skipped. False without digits.
bool CardCheckDigitRight(std::u16string_view text);
// 0 when the check digit is wrong, otherwise the first digit minus 2 (so 2 Visa,
// 3 MasterCard, 4 Discover, 1 the families starting with 3; anything else is no known card).
int CardCheckResult(std::u16string_view text);
// The card type of a number that passes, named as the card tool shows it; none when the
// number is not a valid card of a known type. The text may hold blanks and other signs;
// the family of a number beginning with 3 comes from the first two characters of the
// trimmed text.
std::optional<std::u16string_view> CardType(std::u16string_view text);

// --- IBAN ---------------------------------------------------------------------------------

// The ISO 13616 remainder modulo 97 of the text: capitals, the first "IBAN" taken out, the
// first four characters moved to the end, letters as two-digit numbers (A = 10 ... Z = 35).
// 0 when what remains holds anything but digits.
int IbanRemainder(std::u16string_view text);
// True when the text without its blanks has the remainder 1. The country is not examined.
bool IbanValid(std::u16string_view text);
