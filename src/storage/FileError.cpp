#include "storage/FileError.h"

#include <utility>

FileError FileError::OfErrno(std::string_view operation, const std::filesystem::path& path, int error)
{
    return {std::string(operation), path, platform::ErrorText(error)};
}

std::string FileError::Text() const
{
    if (operation.empty())
        return reason;
    return platform::Failure(operation, path, reason);
}

FileFailure::FileFailure(FileError error) : std::runtime_error(error.Text()), error_(std::move(error)) {}

FileFailure::FileFailure(FileError error, const std::string& summary)
    : std::runtime_error(summary), error_(std::move(error))
{
}
