#pragma once
// Writing a finished document (a PDF) into the program folder: the bytes go to a temporary
// file beside the target, which is then renamed into its place, so a failed write leaves
// the earlier file whole. A target whose write bits are off (for the superuser too) or that
// is not a regular file is not replaced; a replaced file keeps its rights.
#include "storage/FileOutcome.h"

#include <filesystem>
#include <string_view>

namespace report {

// Done when the file is in place; else why it is not (the reason in the system's own words).
FileOutcome WriteDocumentFile(const std::filesystem::path& target, std::string_view bytes);

} // namespace report
