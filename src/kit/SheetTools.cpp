#include "kit/SheetTools.h"

namespace SheetTools {
namespace {
Openers& Installed()
{
    static Openers openers;
    return openers;
}
} // namespace

void Install(Openers openers) { Installed() = std::move(openers); }

void OpenCheck(QWidget* opener, Check check, const QString& text)
{
    if (Installed().check)
        Installed().check(opener, check, text);
}

void OpenAttachments(SheetScreen& served)
{
    if (Installed().attachments)
        Installed().attachments(served);
}

void OpenClientSearch(SheetScreen& served)
{
    if (Installed().clientSearch)
        Installed().clientSearch(served);
}

} // namespace SheetTools
