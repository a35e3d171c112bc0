#pragma once

#include <string_view>

class SheetScreen;

// Puts on the served database sheet screen the last sheet of Database.pro whose result line
// is `line` (flagged or not), with its position; leaves the screen alone when none is.
// Throws FileFailure.
void ShowSheetOfLine(SheetScreen& served, std::u16string_view line);
