#include "database/SheetOfLine.h"

#include "database/DatabaseLists.h"
#include "kit/SheetScreen.h"

void ShowSheetOfLine(SheetScreen& served, std::u16string_view line)
{
    if (const auto found = DatabaseLists::FindSheet(line))
        served.MostraScheda(found->record.data(), found->position);
}
