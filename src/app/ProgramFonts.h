#pragma once

#include <QString>

// The fonts a portable program folder carries in fonts/ beside the executable, so that the
// screens and the PDFs look the same on any machine: the program then draws and prints with
// those fonts alone, through the fontconfig configuration fonts/fonts.conf, which reads no
// system font folder and keeps no font cache. A folder without fonts/ (a build folder) uses
// the system's fonts as before.
namespace ProgramFonts {

// Before the application object is made: points fontconfig at fonts/fonts.conf of the
// folder of the running executable, when there is one and the environment names no
// configuration of its own.
void ChooseConfiguration();

// Adds every font file of fonts/ in `programFolder` to the program's fonts and gives the
// programs that the program starts later (a PDF viewer, a browser) the system's configuration
// again. Answers whether the folder carries fonts.
bool Load(const QString& programFolder);

} // namespace ProgramFonts
