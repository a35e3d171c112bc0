#include "storage/ProgramFolder.h"

#include "storage/Platform.h"

namespace {
std::filesystem::path& Folder()
{
    static std::filesystem::path folder;
    return folder;
}
} // namespace

const std::filesystem::path& ProgramFolder()
{
    return Folder();
}

void SetProgramFolder(std::filesystem::path folder)
{
    Folder() = std::move(folder);
}

std::filesystem::path ProgramFile(std::string_view name)
{
    return Folder() / platform::PathOfText(name);
}
