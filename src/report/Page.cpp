#include "report/Page.h"

namespace report {

const TextBox* Page::Box(std::string_view wanted) const
{
    for (const Element& element : elements)
        if (const auto* box = std::get_if<TextBox>(&element); box && box->name == wanted)
            return box;
    return nullptr;
}

} // namespace report
