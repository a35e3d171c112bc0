#include "archive/SheetSearch.h"

#include "storage/Cp1252.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

constexpr std::array<uint8_t, 256> MakeFoldTable()
{
    std::array<uint8_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte)
        table[byte] = static_cast<uint8_t>(byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte);
    return table;
}
constexpr std::array<uint8_t, 256> FoldLower = MakeFoldTable();

std::string_view StoredBytes(const uint8_t* record, uint16_t offset, uint16_t width)
{
    const uint8_t* field = record + offset;
    return {reinterpret_cast<const char*>(field + 1), std::min<std::size_t>(field[0], width)};
}

} // namespace

SearchCriteria::SearchCriteria(const SearchDescription& search, std::span<const Text> typed)
{
    for (std::size_t i = 0; i < search.criteriaFields.size() && i < typed.size(); ++i)
        Add(search.criteriaFields[i], typed[i]);
}

void SearchCriteria::Add(const FieldSpec& field, std::u16string_view typed)
{
    if (!Trim(typed).empty())
        ++filled_;
    if (typed.empty())
        return; // never hits
    std::optional<std::string> bytes = ExactCp1252(typed);
    Criterion criterion{field.offset, field.width, bytes.value_or(std::string()), bytes.has_value()};
    for (char& byte : criterion.folded)
        byte = static_cast<char>(FoldLower[static_cast<uint8_t>(byte)]);
    criteria_.push_back(std::move(criterion));
}

bool SearchCriteria::Hits(const Criterion& criterion, const uint8_t* record)
{
    if (!criterion.canHit)
        return false;
    const std::string_view stored = StoredBytes(record, criterion.offset, criterion.width);
    if (stored.size() < criterion.folded.size())
        return false;
    char folded[256];
    // The same fold as FoldLower, written so that the compiler folds many bytes at once.
    std::transform(stored.begin(), stored.end(), folded, [](char byte) {
        const auto value = static_cast<uint8_t>(byte);
        return static_cast<char>(static_cast<uint8_t>(value - 'A') < 26 ? value + ('a' - 'A') : value);
    });
    return std::string_view(folded, stored.size()).find(criterion.folded) != std::string_view::npos;
}

bool SearchCriteria::Matches(const uint8_t* record) const
{
    if (filled_ == 0)
        return true;
    std::size_t hits = 0, untried = criteria_.size();
    for (const Criterion& criterion : criteria_) {
        --untried;
        if (Hits(criterion, record)) {
            if (++hits >= filled_)
                return true;
        } else if (hits + untried < filled_) {
            return false;
        }
    }
    return false;
}

FieldIs::FieldIs(const FieldSpec& field, std::u16string_view text)
    : offset_(field.offset), width_(field.width)
{
    std::optional<std::string> bytes = ExactCp1252(text);
    possible_ = bytes.has_value();
    bytes_ = bytes.value_or(std::string());
}

bool FieldIs::operator()(const uint8_t* record) const
{
    std::string_view stored = StoredBytes(record, offset_, width_);
    while (!stored.empty() && static_cast<uint8_t>(stored.front()) <= 32)
        stored.remove_prefix(1);
    while (!stored.empty() && static_cast<uint8_t>(stored.back()) <= 32)
        stored.remove_suffix(1);
    return possible_ && stored == bytes_;
}

ResultLines SearchRecords(const SearchDescription& search, const SearchCriteria& criteria, Progress& progress)
{
    ResultLines lines;
    if (criteria.Filled() == 0)
        ListRecords(search.records, search.line, EveryRecord(), lines, progress);
    else
        ListRecords(search.records, search.line, [&criteria](const uint8_t* record) { return criteria.Matches(record); },
                    lines, progress);
    return lines;
}
