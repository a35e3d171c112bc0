#include "report/DocumentFile.h"

#include "storage/PosixIo.h"
#include "storage/TemporaryFile.h"

#include <cerrno>

namespace report {

std::optional<std::string> WriteDocumentFile(const std::filesystem::path& requested, std::string_view bytes)
{
    const Replacement plan = PlanReplacement(requested);
    if (!plan.Allowed())
        return plan.whyNot;
    TemporaryFile temporary(plan);
    if (!temporary.Created() || !temporary.WriteAndReplace(bytes, plan.target))
        return posix_io::ErrorText(errno);
    return std::nullopt;
}

} // namespace report
