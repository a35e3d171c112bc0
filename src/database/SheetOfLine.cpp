#include "database/SheetOfLine.h"

#include "app/Program.h"
#include "database/DatabaseLists.h"
#include "database/TfrmDatabase.h"

void ShowSheetOfLine(std::u16string_view line)
{
    if (const auto found = DatabaseLists::FindSheet(line))
        Program::Current()->Database()->MostraScheda(found->record, found->position);
}
