#include "checkers/NumberChecks.h"

#include "storage/Cp1252.h"
#include "storage/Text.h"

#include <array>
#include <cstdint>
#include <string>

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
int DigitValue(char16_t c) { return c - u'0'; }

// --- Fiscal code ---

constexpr char16_t FirstWeighed = u'0';
constexpr char16_t LastWeighed = u'Z';
constexpr std::size_t WeighedCount = LastWeighed - FirstWeighed + 1; // 43

// Weights of the characters '0'..'Z'; the seven signs between '9' and 'A' weigh 0.
constexpr std::array<int, WeighedCount> OddWeights = {
    1, 0, 5, 7, 9, 13, 15, 17, 19, 21,                    // 0-9
    0, 0, 0, 0, 0, 0, 0,                                  // : ; < = > ? @
    1, 0, 5, 7, 9, 13, 15, 17, 19, 21, 2, 4, 18,          // A-M
    20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23,      // N-Z
};

constexpr std::array<int, WeighedCount> MakeEvenWeights()
{
    std::array<int, WeighedCount> weights{};
    for (char16_t c = u'0'; c <= u'9'; ++c)
        weights[c - FirstWeighed] = c - u'0';
    for (char16_t c = u'A'; c <= u'Z'; ++c)
        weights[c - FirstWeighed] = c - u'A';
    return weights;
}
constexpr std::array<int, WeighedCount> EvenWeights = MakeEvenWeights();

// --- VAT offices ---

constexpr std::array<VatOfficeRow, 104> Offices = {{
    {u"001", u"Torino"}, {u"002", u"Vercelli"}, {u"003", u"Novara"}, {u"004", u"Cuneo"},
    {u"005", u"Asti"}, {u"006", u"Alessandria"}, {u"007", u"Aosta"}, {u"008", u"Imperia"},
    {u"009", u"Savona"}, {u"010", u"Genova 1"}, {u"011", u"La Spezia"}, {u"012", u"Varese"},
    {u"013", u"Como"}, {u"014", u"Sondrio"}, {u"015", u"Milano 1"}, {u"016", u"Bergamo"},
    {u"017", u"Brescia 1"}, {u"018", u"Pavia"}, {u"019", u"Cremona"}, {u"020", u"Mantova"},
    {u"021", u"Bolzano"}, {u"022", u"Trento"}, {u"023", u"Verona"}, {u"024", u"Vicenza"},
    {u"025", u"Belluno"}, {u"026", u"Treviso"}, {u"027", u"Venezia"}, {u"028", u"Padova"},
    {u"029", u"Rovigo"}, {u"030", u"Udine"}, {u"031", u"Gorizia"}, {u"032", u"Trieste"},
    {u"033", u"Piacenza"}, {u"034", u"Parma"}, {u"035", u"Reggio Emilia"}, {u"036", u"Modena"},
    {u"037", u"Bologna 1"}, {u"038", u"Ferrara"}, {u"039", u"Ravenna"}, {u"040", u"Forl\u00EC"},
    {u"041", u"Pesaro"}, {u"042", u"Ancona"}, {u"043", u"Macerata"}, {u"044", u"Ascoli Piceno"},
    {u"045", u"Massa Carrara"}, {u"046", u"Lucca"}, {u"047", u"Pistoia"}, {u"048", u"Firenze 1"},
    {u"049", u"Livorno"}, {u"050", u"Pisa"}, {u"051", u"Arezzo"}, {u"052", u"Siena"},
    {u"053", u"Grosseto"}, {u"054", u"Perugia"}, {u"055", u"Terni"}, {u"056", u"Viterbo"},
    {u"057", u"Rieti"}, {u"058", u"Roma 1"}, {u"059", u"Latina"}, {u"060", u"Frosinone"},
    {u"061", u"Caserta"}, {u"062", u"Benevento"}, {u"063", u"Napoli 1"}, {u"064", u"Avellino"},
    {u"065", u"Salerno"}, {u"066", u"Aquila"}, {u"067", u"Teramo"}, {u"068", u"Pescara"},
    {u"069", u"Chieti"}, {u"070", u"Campobasso"}, {u"071", u"Foggia"}, {u"072", u"Bari"},
    {u"073", u"Taranto"}, {u"074", u"Brindisi"}, {u"075", u"Lecce"}, {u"076", u"Potenza"},
    {u"077", u"Matera"}, {u"078", u"Cosenza"}, {u"079", u"Catanzaro"}, {u"080", u"Reggio Calabria"},
    {u"081", u"Trapani"}, {u"082", u"Palermo"}, {u"083", u"Messina"}, {u"084", u"Agrigento"},
    {u"085", u"Caltanissetta"}, {u"086", u"Enna"}, {u"087", u"Catania"}, {u"088", u"Ragusa"},
    {u"089", u"Siracusa"}, {u"090", u"Sassari"}, {u"091", u"Nuoro"}, {u"092", u"Cagliari"},
    {u"093", u"Pordenone"}, {u"094", u"Isernia"}, {u"095", u"Oristano"}, {u"096", u"Monza (Milano 2)"},
    {u"097", u"Prato (Firenze 2)"}, {u"098", u"Brescia 2"}, {u"099", u"Chiavari (Genova 2)"}, {u"100", u"Roma 2"},
    {u"101", u"Bologna 2"}, {u"102", u"Napoli 2"}, {u"120", u"Bologna 2"}, {u"121", u"Napoli 2"},
}};

// --- Payment card ---

constexpr std::size_t CardCharactersRead = 20;

// The digits among the first twenty characters, in Windows-1252 as the box text is stored.
std::string CardDigits(std::u16string_view text)
{
    const std::string bytes = ToCp1252(text);
    std::string digits;
    for (std::size_t i = 0; i < bytes.size() && i < CardCharactersRead; ++i)
        if (bytes[i] >= '0' && bytes[i] <= '9')
            digits += bytes[i];
    return digits;
}

bool LuhnCheckDigitRight(const std::string& digits)
{
    const std::size_t n = digits.size();
    if (n == 0)
        return false;
    // Positions are counted from 1; every second digit leftwards from the one beside the
    // check digit is doubled, so which parity doubles depends on the length.
    const std::size_t doubledParity = n % 2 == 0 ? 1 : 0;
    int sum = 0;
    for (std::size_t x = n - 1; x >= 1; --x) {
        int value = digits[x - 1] - '0';
        if (x % 2 == doubledParity) {
            value *= 2;
            if (value >= 10)
                value -= 9;
        }
        sum += value;
    }
    int expected = 10 - sum % 10;
    if (expected == 10)
        expected = 0;
    return digits[n - 1] - '0' == expected;
}

// --- IBAN ---

constexpr std::size_t IbanPieceLength = 9;

// The remainder modulo 97 of a long decimal number, reduced in pieces that never exceed
// nine digits together with the remainder carried over; none when it holds a non-digit.
std::optional<int> DecimalRemainder97(const std::string& digits)
{
    std::size_t v = 0;
    std::size_t l = IbanPieceLength;
    std::string carried;
    int r = 0;
    while (v < digits.size()) {
        if (l > digits.size())
            l = digits.size();
        const std::string piece = carried + digits.substr(v, l);
        std::uint64_t n = 0;
        for (char c : piece) {
            if (c < '0' || c > '9')
                return std::nullopt;
            n = n * 10 + static_cast<std::uint64_t>(c - '0');
        }
        r = static_cast<int>(n % 97);
        v += l;
        carried = std::to_string(r);
        l = IbanPieceLength - carried.size();
    }
    return r;
}

} // namespace

std::optional<char16_t> FiscalCodeCheckLetter(std::u16string_view firstFifteen)
{
    if (firstFifteen.size() != 15)
        return std::nullopt;
    int sum = 0;
    for (std::size_t i = 0; i < firstFifteen.size(); ++i) {
        const char16_t c = firstFifteen[i];
        if (c < FirstWeighed || c > LastWeighed)
            return std::nullopt;
        const bool oddPosition = i % 2 == 0; // position i + 1, counted from 1
        sum += (oddPosition ? OddWeights : EvenWeights)[c - FirstWeighed];
    }
    return static_cast<char16_t>(u'A' + sum % 26);
}

bool FiscalCodeValid(std::u16string_view code)
{
    if (code.size() != 16)
        return false;
    const Text upper = UpperAZ(code);
    const std::optional<char16_t> letter = FiscalCodeCheckLetter(std::u16string_view(upper).substr(0, 15));
    return letter && *letter == upper[15];
}

bool IsDigitsOnly(std::u16string_view text)
{
    if (text.empty())
        return false;
    for (char16_t c : text)
        if (!IsDigit(c))
            return false;
    return true;
}

std::optional<int> VatCheckDigit(std::u16string_view firstTen)
{
    if (firstTen.size() != 10 || !IsDigitsOnly(firstTen))
        return std::nullopt;
    int sum = 0;
    for (std::size_t i = 0; i < firstTen.size(); ++i) {
        const int d = DigitValue(firstTen[i]);
        const bool oddPosition = i % 2 == 0; // position i + 1, counted from 1
        sum += oddPosition ? d : (2 * d) / 10 + (2 * d) % 10;
    }
    return sum % 10 == 0 ? 0 : 10 - sum % 10;
}

bool VatNumberValid(std::u16string_view number)
{
    if (number.size() != 11 || !IsDigitsOnly(number))
        return false;
    return VatCheckDigit(number.substr(0, 10)) == DigitValue(number[10]);
}

std::span<const VatOfficeRow> VatOffices()
{
    return Offices;
}

std::optional<std::u16string_view> VatOffice(std::u16string_view officeCode)
{
    for (const VatOfficeRow& row : Offices)
        if (row.code == officeCode)
            return row.name;
    return std::nullopt;
}

std::u16string_view VatOfficeCode(std::u16string_view number)
{
    return number.size() >= 10 ? number.substr(7, 3) : std::u16string_view();
}

bool CardCheckDigitRight(std::u16string_view text)
{
    return LuhnCheckDigitRight(CardDigits(text));
}

int CardCheckResult(std::u16string_view text)
{
    const std::string digits = CardDigits(text);
    if (!LuhnCheckDigitRight(digits))
        return 0;
    return (digits[0] - '0') - 2;
}

std::optional<std::u16string_view> CardType(std::u16string_view text)
{
    switch (CardCheckResult(text)) {
    case 1: {
        const Text trimmed = Trim(text);
        const std::u16string_view family = std::u16string_view(trimmed).substr(0, 2);
        if (family == u"30" || family == u"36" || family == u"38")
            return u"Diner's Club / Carte Blanche";
        if (family == u"34" || family == u"37")
            return u"American Express";
        if (family == u"31" || family == u"33" || family == u"35")
            return u"JCB";
        return std::nullopt;
    }
    case 2:
        return u"Visa";
    case 3:
        return u"MasterCard";
    case 4:
        return u"Discover";
    default:
        return std::nullopt;
    }
}

int IbanRemainder(std::u16string_view text)
{
    Text iban = UpperAZ(text);
    if (const std::size_t at = iban.find(u"IBAN"); at != Text::npos)
        iban.erase(at, 4);
    const std::size_t head = std::min<std::size_t>(4, iban.size());
    iban = iban.substr(head) + iban.substr(0, head);

    std::string digits;
    for (char16_t c : iban) {
        if (c >= u'A' && c <= u'Z') {
            digits += std::to_string(c - 55);
        } else if (c < 0x80) {
            digits += static_cast<char>(c);
        } else {
            return 0; // never a digit
        }
    }
    return DecimalRemainder97(digits).value_or(0);
}

bool IbanValid(std::u16string_view text)
{
    Text withoutBlanks;
    for (char16_t c : text)
        if (c != u' ')
            withoutBlanks += c;
    return IbanRemainder(withoutBlanks) == 1;
}
