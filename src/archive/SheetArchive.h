#pragma once
// The archive side of a sheet screen: the four navigation moves, saving and the open/close
// of duplicating, each one user action on a record file (Open, the reads and writes it
// needs, Close). Moving only reads: a read-only archive can be browsed, and a missing one
// is an empty archive that moving does not create. Saving and duplicating open the file
// for writing. Works on the raw records of any layout, so the database and the client
// sheet screens share it. Nothing here throws: every outcome, failures included, is a
// value the screen turns into what the user sees.
#include "storage/FileOutcome.h"
#include "storage/Records.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Position of a sheet as the screens keep it: 1-based, 0 for a new sheet not in the file.
using SheetPosition = std::size_t;
inline constexpr SheetPosition NewSheet = 0;

enum class SheetMove { First, Previous, Next, Last };

struct MoveResult {
    enum class Outcome {
        Show,    // show `record` at `position`
        Stay,    // nothing changes, nothing is said (next on the last sheet, previous on the first)
        Empty,   // the archive holds no sheet
        Failed,  // an I/O failure ended the action; `failure` says why
    };
    Outcome outcome = Outcome::Stay;
    SheetPosition position = NewSheet;
    std::vector<uint8_t> record;   // the whole record, read before the screen changes
    bool forgetPosition = false;   // Empty after "next": the screen becomes a new sheet
    FileError failure;
};

struct SaveResult {
    enum class Outcome {
        Overwritten, // the sheet at `position` was replaced in place
        Appended,    // the sheet was added at the end, as `position`
        Failed,      // an I/O failure ended the action; see `written`
    };
    Outcome outcome = Outcome::Failed;
    // The record reached the disk (on a failure: before a later step, such as Close, failed);
    // `position` is then where it lies.
    bool written = false;
    SheetPosition position = NewSheet;
    FileError failure;
};

class SheetArchive {
public:
    explicit SheetArchive(const RecordLayout& layout);

    // Moves from the sheet at `from` (NewSheet: a new sheet, standing before the first).
    // The record is read whole and the file closed before the result says "Show".
    MoveResult Move(SheetMove move, SheetPosition from) const;

    // Writes `record` (RecordSize() bytes) over the sheet at `at`, or appends it for a new
    // sheet. A position past the end of the file (another program shortened it meanwhile)
    // appends as well, so what the user typed is never lost. The record is on disk when
    // the result says so.
    SaveResult Save(const uint8_t* record, SheetPosition at) const;

    // Opens the file for writing (creating it empty if missing) and closes it again: a
    // duplicate is refused at once where its save would be.
    FileOutcome Touch() const;

    const RecordLayout& Layout() const { return layout_; }
    std::size_t RecordSize() const { return layout_.size; }

private:
    RecordLayout layout_;
};
