#pragma once
// Writing a finished document (a PDF) into the program folder: the bytes go to a temporary
// file beside the target, which is then renamed into its place, so a failed write leaves
// the earlier file whole. A target whose write bits are off (for the superuser too) or that
// is not a regular file is not replaced; a replaced file keeps its rights.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace report {

// Nothing when the file is in place; else the reason it is not (the system's own words).
std::optional<std::string> WriteDocumentFile(const std::filesystem::path& target, std::string_view bytes);

} // namespace report
