#include "kit/SheetTools.h"

#include <stdexcept>

namespace SheetTools {

void Openers::RequireAll() const
{
    if (!check || !attachments || !clientSearch)
        throw std::invalid_argument("a sheet screen needs every tool opener");
}

} // namespace SheetTools
