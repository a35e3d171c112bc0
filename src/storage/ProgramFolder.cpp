#include "storage/ProgramFolder.h"

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
    return Folder() / std::filesystem::path(name);
}

std::filesystem::path ExecutableFolder()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}
