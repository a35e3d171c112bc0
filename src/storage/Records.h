#pragma once
// The two record layouts: packed rows of text fields (TextCodec), written to disk as they
// lie in memory. TSchedaDatabase is the record of Database.pro, TSchedaCliente of Clienti.pro.
#include "storage/Text.h"
#include "storage/TextCodec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <type_traits>

struct FieldSpec {
    const char* name;
    uint16_t offset; // of the length byte, from the start of the record
    uint16_t width;  // text bytes; the field takes 1 + width bytes
};

// The two texts of the flag Segnala and the mark Ricontatta (stored 02 53 EC and 02 4E 6F).
inline constexpr std::u16string_view MarkYes = u"S\u00EC";
inline constexpr std::u16string_view MarkNo = u"No";

enum class DatabaseField {
    Campo01, Campo02, Campo03, Campo04, Campo05, Campo06, Campo07,
    Campo08, Campo09, Campo10, Campo11, Campo12, Campo13, Campo14,
    Cliente, IndirizzoRes, ComuneRes, ProvRes, Email, Recapito, CodFisc, PartitaIva,
    Google, Web, Segnala, File01, File02, File03, Desc01, Desc02, Desc03,
};

enum class ClientField {
    Cliente, DataNasc, ComuneNasc, ProvNasc, Sesso, Recapito, IndirizzoRes, ProvRes,
    ComuneRes, CapRes, Estremi, TelCasa, TelUff, TelCel, Fax, Email, CodFisc, Carta,
    ScadeCarta, PartitaIva, Iban, Documento, Occupazione, Civile, Titoli, Prodotti, Zona,
    Questioni, Note, Ricontatta, File01, File02, File03, Desc01, Desc02, Desc03,
};

// Where an archive's records lie and how they are made: the record file in the program
// folder, the size of one record and its fields in record order. Every piece of code that
// opens, reads, writes, searches or exports an archive takes this one value.
struct RecordLayout {
    const char* fileName;
    std::size_t size;
    std::span<const FieldSpec> fields;
};

// A record layout whose fields an enum names, one enumerator per field in record order.
template <class FieldEnum>
struct NamedRecordLayout : RecordLayout {
    using Field = FieldEnum;
    FieldEnum lastField;

    // Where a field lies in the record and how wide it is.
    constexpr const FieldSpec& At(Field field) const { return fields[static_cast<std::size_t>(field)]; }
};

inline constexpr std::array<FieldSpec, 31> DatabaseFields = {{
    {"Campo01", 0, 50},        {"Campo02", 51, 50},       {"Campo03", 102, 50},
    {"Campo04", 153, 50},      {"Campo05", 204, 50},      {"Campo06", 255, 50},
    {"Campo07", 306, 250},     {"Campo08", 557, 50},      {"Campo09", 608, 50},
    {"Campo10", 659, 250},     {"Campo11", 910, 50},      {"Campo12", 961, 50},
    {"Campo13", 1012, 250},    {"Campo14", 1263, 250},    {"Cliente", 1514, 50},
    {"IndirizzoRes", 1565, 50}, {"ComuneRes", 1616, 50},  {"ProvRes", 1667, 2},
    {"Email", 1670, 50},       {"Recapito", 1721, 50},    {"CodFisc", 1772, 16},
    {"PartitaIva", 1789, 11},  {"Google", 1801, 250},     {"Web", 2052, 250},
    {"Segnala", 2303, 2},      {"File01", 2306, 250},     {"File02", 2557, 250},
    {"File03", 2808, 250},     {"Desc01", 3059, 250},     {"Desc02", 3310, 250},
    {"Desc03", 3561, 250},
}};

inline constexpr std::array<FieldSpec, 36> ClientFields = {{
    {"Cliente", 0, 50},        {"DataNasc", 51, 30},      {"ComuneNasc", 82, 50},
    {"ProvNasc", 133, 2},      {"Sesso", 136, 1},         {"Recapito", 138, 50},
    {"IndirizzoRes", 189, 50}, {"ProvRes", 240, 2},       {"ComuneRes", 243, 50},
    {"CapRes", 294, 5},        {"Estremi", 300, 250},     {"TelCasa", 551, 30},
    {"TelUff", 582, 30},       {"TelCel", 613, 30},       {"Fax", 644, 30},
    {"Email", 675, 50},        {"CodFisc", 726, 16},      {"Carta", 743, 30},
    {"ScadeCarta", 774, 30},   {"PartitaIva", 805, 11},   {"Iban", 817, 27},
    {"Documento", 845, 120},   {"Occupazione", 966, 50},  {"Civile", 1017, 50},
    {"Titoli", 1068, 120},     {"Prodotti", 1189, 120},   {"Zona", 1310, 50},
    {"Questioni", 1361, 250},  {"Note", 1612, 250},       {"Ricontatta", 1863, 2},
    {"File01", 1866, 250},     {"File02", 2117, 250},     {"File03", 2368, 250},
    {"Desc01", 2619, 250},     {"Desc02", 2870, 250},     {"Desc03", 3121, 250},
}};

// The two archives: Database.pro of 3812-byte sheets, Clienti.pro of 3372-byte clients.
inline constexpr NamedRecordLayout<DatabaseField> DatabaseLayout{
    {"Database.pro", 3812, DatabaseFields}, DatabaseField::Desc03};
inline constexpr NamedRecordLayout<ClientField> ClientLayout{
    {"Clienti.pro", 3372, ClientFields}, ClientField::Desc03};

// The enum that names the fields of a layout value (DatabaseField for DatabaseLayout).
template <const auto& Layout>
using FieldOf = typename std::remove_cvref_t<decltype(Layout)>::Field;

// True when the fields follow one another without gaps or overlaps, fill the record exactly
// and there is one per enumerator.
template <class FieldEnum>
constexpr bool LayoutIsPacked(const NamedRecordLayout<FieldEnum>& layout)
{
    std::size_t next = 0;
    for (const FieldSpec& field : layout.fields) {
        if (field.offset != next || field.width == 0 || field.width > 255)
            return false;
        next += 1u + field.width;
    }
    return next == layout.size && static_cast<std::size_t>(layout.lastField) + 1 == layout.fields.size();
}

static_assert(LayoutIsPacked(DatabaseLayout));
static_assert(LayoutIsPacked(ClientLayout));

// One record of a layout: its bytes as they lie on disk, and field access by name.
template <const auto& Layout>
class TRecord {
public:
    using Field = FieldOf<Layout>;
    static constexpr std::size_t Size = Layout.size;

    static std::span<const FieldSpec> Fields() { return Layout.fields; }
    static constexpr const FieldSpec& FieldSpecOf(Field field) { return Layout.At(field); }

    // Field access straight on a record's bytes (for instance a RecordScanner's buffer).
    static Text Decode(const uint8_t* record, Field field)
    {
        const FieldSpec& fieldSpec = FieldSpecOf(field);
        return DecodeText(record + fieldSpec.offset, fieldSpec.width);
    }
    static Text DecodeUntrimmed(const uint8_t* record, Field field)
    {
        const FieldSpec& fieldSpec = FieldSpecOf(field);
        return DecodeTextUntrimmed(record + fieldSpec.offset, fieldSpec.width);
    }
    static void DecodeUntrimmedInto(const uint8_t* record, Field field, Text& out)
    {
        const FieldSpec& fieldSpec = FieldSpecOf(field);
        DecodeTextUntrimmedInto(record + fieldSpec.offset, fieldSpec.width, out);
    }
    static void Encode(uint8_t* record, Field field, std::u16string_view text)
    {
        const FieldSpec& fieldSpec = FieldSpecOf(field);
        EncodeText(text, fieldSpec.width, record + fieldSpec.offset);
    }

    Text Get(Field field) const { return Decode(bytes_.data(), field); }
    Text GetUntrimmed(Field field) const { return DecodeUntrimmed(bytes_.data(), field); }
    void Set(Field field, std::u16string_view text) { Encode(bytes_.data(), field, text); }

    uint8_t* data() { return bytes_.data(); }
    const uint8_t* data() const { return bytes_.data(); }
    std::array<uint8_t, Size>& bytes() { return bytes_; }
    const std::array<uint8_t, Size>& bytes() const { return bytes_; }

private:
    std::array<uint8_t, Size> bytes_{}; // all fields empty
};

using TSchedaDatabase = TRecord<DatabaseLayout>;
using TSchedaCliente = TRecord<ClientLayout>;
