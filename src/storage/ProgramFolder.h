#pragma once
// The one place that knows where the program's files lie: the folder of the running
// executable. main() sets it at start-up; tests point it at a temporary folder.
#include <filesystem>
#include <string_view>

const std::filesystem::path& ProgramFolder();
void SetProgramFolder(std::filesystem::path folder);
// ProgramFolder() / name
std::filesystem::path ProgramFile(std::string_view name);
