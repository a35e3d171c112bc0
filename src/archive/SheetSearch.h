#pragma once
// Which records a list tool lists: the search by up to ten fields (database and clients
// alike) and the lists of marked records (flagged sheets, clients to recontact).
#include "archive/ResultLines.h"
#include "storage/Progress.h"
#include "storage/RecordFile.h"
#include "storage/Records.h"
#include "storage/Text.h"

#include <array>
#include <cstddef>
#include <span>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What a search tool searches: the archive, the field each criteria box searches (in the
// order of the boxes) and the line that shows a record found.
struct SearchDescription {
    RecordLayout records;
    std::span<const FieldSpec> criteriaFields;
    LineFormat line;
};

// The criteria of a search, each on one field. A criterion is matched as typed (not
// trimmed) against the field as stored (converted, not trimmed), A to Z folded to a to z
// on both sides and nothing else: it hits when it occurs anywhere in the field. An empty
// criterion never hits. A criterion counts as filled when it is not empty once trimmed;
// a record is listed when its hits are at least the number of filled criteria. So with
// nothing filled every record is listed, and a criterion of blanks only, though not
// counted, hits any field holding that run of blanks.
class SearchCriteria {
public:
    // The texts typed into a search tool's boxes: typed[i] searches the search's
    // criteriaFields[i] (missing texts are empty).
    SearchCriteria(const SearchDescription& search, std::span<const Text> typed);

    std::size_t Filled() const { return filled_; }
    bool Matches(const uint8_t* record) const;

private:
    struct Criterion {
        uint16_t offset;
        uint16_t width;
        std::string folded; // Windows-1252 bytes, A to Z folded
        bool canHit;        // false when a character has no byte in a field
    };
    void Add(const FieldSpec& field, std::u16string_view typed);
    static bool Hits(const Criterion& criterion, const uint8_t* record);

    std::vector<Criterion> criteria_; // the non-empty ones, in the order given
    std::size_t filled_ = 0;
};

// Records whose field, trimmed, is exactly `text` (the marks "Sì" of Segnala and Ricontatta).
class FieldIs {
public:
    FieldIs(const FieldSpec& field, std::u16string_view text);
    bool operator()(const uint8_t* record) const;

private:
    uint16_t offset_;
    uint16_t width_;
    std::string bytes_;
    bool possible_;
};

struct EveryRecord {
    bool operator()(const uint8_t*) const { return true; }
};

// Reads every record of the archive's file in the program folder (opened for reading only; a
// missing file has no records and stays missing) and adds to `into` the line of each record
// `keep` accepts, then sorts the lines into the list order. A line is built only for a record
// `keep` accepts. `progress` hears how many records are behind. Throws FileFailure; `into`
// then holds the lines added so far, unsorted.
template <class Keep>
void ListRecords(const RecordLayout& records, LineFormat format, const Keep& keep, ResultLines& into,
                 Progress& progress = Unwatched())
{
    constexpr std::size_t ReportEvery = 4096;
    TRecordFile file(records);
    file.Open();
    RecordScanner scan(file, RecordScanner::CachedBlockBytes);
    while (const uint8_t* record = scan.Next()) {
        if (keep(record))
            into.Add(record, format);
        if (scan.Index() % ReportEvery == 0)
            progress.Reached(scan.Index(), scan.Count());
    }
    progress.Reached(scan.Count(), scan.Count());
    file.Close();
    into.Sort();
}

// "Cerca" of the search tools: the lines of the records the criteria find, in list order.
// The search screens, their tests and the benchmark all run this one function. Throws
// FileFailure.
ResultLines SearchRecords(const SearchDescription& search, const SearchCriteria& criteria,
                          Progress& progress = Unwatched());
