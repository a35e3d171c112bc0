#include "archive/SheetArchive.h"

#include "storage/RecordFile.h"

#include <algorithm>

SheetArchive::SheetArchive(const RecordLayout& layout) : layout_(layout)
{
}

MoveResult SheetArchive::Move(SheetMove move, SheetPosition from) const
{
    MoveResult result;
    try {
        TRecordFile file(layout_);
        file.Open();
        if (move == SheetMove::Previous && from == 1) {
            file.Close();
            result.outcome = MoveResult::Outcome::Stay;
            return result;
        }
        const std::size_t count = file.Count();
        if (count == 0) {
            file.Close();
            result.outcome = MoveResult::Outcome::Empty;
            result.forgetPosition = move == SheetMove::Next;
            return result;
        }
        std::size_t index = 0;
        switch (move) {
        case SheetMove::First:
            index = 0;
            break;
        case SheetMove::Last:
            index = count - 1;
            break;
        case SheetMove::Next:
            if (from >= count) { // the last sheet is on show
                file.Close();
                result.outcome = MoveResult::Outcome::Stay;
                return result;
            }
            index = from; // the sheet after position `from`; from a new sheet, the first
            break;
        case SheetMove::Previous:
            // From a new sheet, the first; otherwise the sheet before the one on show, or the
            // last one when another program has shortened the file meanwhile.
            index = from == NewSheet ? 0 : std::min(from - 2, count - 1);
            break;
        }
        std::vector<uint8_t> record(layout_.size);
        file.ReadAt(index, record.data());
        file.Close();
        result.outcome = MoveResult::Outcome::Show;
        result.position = index + 1;
        result.record = std::move(record);
    } catch (const FileFailure& failure) {
        result = MoveResult{};
        result.outcome = MoveResult::Outcome::Failed;
        result.failure = failure.Error();
    }
    return result;
}

SaveResult SheetArchive::Save(const uint8_t* record, SheetPosition at) const
{
    SaveResult result;
    try {
        TRecordFile file(layout_);
        file.OpenForWriting();
        const bool append = at == NewSheet || at - 1 >= file.Count();
        // Append counts under the file's save lock, so another program saving at the same
        // moment cannot take the same place.
        std::size_t index = at - 1;
        if (append)
            index = file.Append(record);
        else
            file.WriteAt(index, record);
        result.written = true;
        result.position = index + 1;
        file.Close();
        result.outcome = append ? SaveResult::Outcome::Appended : SaveResult::Outcome::Overwritten;
    } catch (const FileFailure& failure) {
        result.outcome = SaveResult::Outcome::Failed;
        result.failure = failure.Error();
    }
    return result;
}

FileOutcome SheetArchive::Touch() const
{
    try {
        TRecordFile file(layout_);
        file.OpenForWriting();
        file.Close();
        return FileOutcome::Done();
    } catch (const FileFailure& failure) {
        return FileOutcome::Failed(failure.Error());
    }
}
