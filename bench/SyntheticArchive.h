#pragma once

// Deterministic synthetic archives for benchmarks: every field filled to about half its width
// with Italian-looking text; one database sheet in ten flagged, one client in ten to recontact.

#include "storage/ProgramFolder.h"
#include "storage/RecordFile.h"
#include "storage/Records.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace bench {

class WordSource {
public:
    explicit WordSource(uint64_t seed) : m_state(seed * 2654435761u + 1) {}

    // About `length` characters of words, never more.
    Text Phrase(std::size_t length)
    {
        static const std::vector<std::u16string> words = {
            u"Rossi", u"Bianchi", u"Esposito", u"città", u"Milano", u"Roma", u"Napoli", u"Torino",
            u"fattura", u"contratto", u"pratica", u"immobile", u"perizia", u"consegna", u"via",
            u"Garibaldi", u"Mazzini", u"Verdi", u"è", u"più", u"perché", u"caffè", u"studio",
            u"notaio", u"geometra", u"ufficio", u"cliente", u"fornitore", u"ordine", u"n.",
        };
        Text text;
        while (text.size() < length) {
            if (!text.empty())
                text += u' ';
            text += words[Next() % words.size()];
        }
        text.resize(length);
        while (!text.empty() && text.back() == u' ')
            text.pop_back();
        return text;
    }
    Text Digits(std::size_t length)
    {
        Text text;
        for (std::size_t i = 0; i < length; ++i)
            text += char16_t(u'0' + Next() % 10);
        return text;
    }
    uint64_t Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return m_state;
    }

private:
    uint64_t m_state;
};

inline TSchedaDatabase SyntheticSheet(std::size_t index)
{
    WordSource words(index + 1);
    TSchedaDatabase sheet;
    for (const FieldSpec& fieldSpec : TSchedaDatabase::Fields()) {
        const auto field = static_cast<DatabaseField>(&fieldSpec - TSchedaDatabase::Fields().data());
        sheet.Set(field, words.Phrase(fieldSpec.width / 2));
    }
    sheet.Set(DatabaseField::ProvRes, u"RM");
    sheet.Set(DatabaseField::Recapito, words.Digits(10));
    sheet.Set(DatabaseField::CodFisc, u"RSSMRA80A01H501U");
    sheet.Set(DatabaseField::PartitaIva, words.Digits(11));
    sheet.Set(DatabaseField::Segnala, index % 10 == 0 ? MarkYes : MarkNo);
    return sheet;
}

inline TSchedaCliente SyntheticClient(std::size_t index)
{
    WordSource words(index + 7);
    TSchedaCliente client;
    for (const FieldSpec& fieldSpec : TSchedaCliente::Fields()) {
        const auto field = static_cast<ClientField>(&fieldSpec - TSchedaCliente::Fields().data());
        client.Set(field, words.Phrase(fieldSpec.width / 2));
    }
    client.Set(ClientField::ProvNasc, u"RM");
    client.Set(ClientField::ProvRes, u"MI");
    client.Set(ClientField::Sesso, index % 2 ? u"F" : u"M");
    client.Set(ClientField::CapRes, words.Digits(5));
    client.Set(ClientField::Recapito, words.Digits(10));
    client.Set(ClientField::CodFisc, u"RSSMRA80A01H501U");
    client.Set(ClientField::PartitaIva, words.Digits(11));
    client.Set(ClientField::Ricontatta, index % 10 == 0 ? MarkYes : MarkNo);
    return client;
}

// Writes `count` records made by `make` into the layout's file in the program folder,
// replacing what was there. The records go out in large blocks (the program itself writes
// one synced record at a time).
template <class Record, class Make>
void WriteSynthetic(const RecordLayout& layout, std::size_t count, Make make)
{
    const std::string path = ProgramFile(layout.fileName).string();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    constexpr std::size_t blockSheets = 1024;
    std::vector<uint8_t> block;
    block.reserve(blockSheets * Record::Size);
    for (std::size_t index = 0; index < count; ++index) {
        const Record sheet = make(index);
        block.insert(block.end(), sheet.bytes().begin(), sheet.bytes().end());
        if (block.size() == blockSheets * Record::Size || index + 1 == count) {
            out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(block.size()));
            block.clear();
        }
    }
    out.close();
    if (!out)
        throw FileFailure({"write", path, "failed"});
}

inline void WriteSyntheticDatabase(std::size_t count) { WriteSynthetic<TSchedaDatabase>(DatabaseLayout, count, SyntheticSheet); }
inline void WriteSyntheticClients(std::size_t count) { WriteSynthetic<TSchedaCliente>(ClientLayout, count, SyntheticClient); }

} // namespace bench
