#include "report/DocumentFile.h"

#include "storage/TemporaryFile.h"

#include <cerrno>

namespace report {

FileOutcome WriteDocumentFile(const std::filesystem::path& requested, std::string_view bytes)
{
    const Replacement plan = PlanReplacement(requested);
    if (!plan.Allowed())
        return FileOutcome::Failed(plan.Refusal());
    TemporaryFile temporary(plan);
    if (!temporary.Created())
        return FileOutcome::Failed(FileError::OfErrno("create a file beside", plan.target, errno));
    if (!temporary.WriteAndReplace(bytes, plan.target))
        return FileOutcome::Failed(FileError::OfErrno("write", plan.target, errno));
    return FileOutcome::Done();
}

} // namespace report
