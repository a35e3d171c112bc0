#pragma once
// A printed page described as data, in millimetres: an A4 sheet with its orientation and
// margins, holding positioned text boxes, pictures and horizontal lines. Positions are
// measured from the top-left corner of the area inside the margins. A renderer paints the
// description as it is; nothing in a text is ever interpreted.
#include "storage/Text.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace report {

enum class Orientation { Portrait, Landscape };

struct Colour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

inline constexpr Colour Black{0, 0, 0};
inline constexpr Colour White{255, 255, 255};
inline constexpr Colour DarkOrange{255, 140, 0};
inline constexpr Colour Teal{0, 128, 128};
inline constexpr Colour SlateGrey{112, 128, 144};

struct Rect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    double Right() const { return left + width; }
    double Bottom() const { return top + height; }
};

struct Font {
    std::string family; // as the page names it ("Arial"); the renderer maps it to an installed twin
    double points = 10;
    bool bold = false;
};

enum class Align { Left, Centre };

// Text on one line, vertically centred in the box, cut at the box's edges. `inset` keeps the
// text that far from the box's left edge (left-aligned boxes).
struct TextBox {
    std::string name;
    Rect box;
    Font font;
    Colour colour = Black;
    std::optional<Colour> fill; // none: transparent
    Align align = Align::Left;
    Text text;
    double inset = 0.5;
};

enum class PictureKind { Folder };

// A picture the renderer draws itself, scaled into the box.
struct Picture {
    std::string name;
    Rect box;
    PictureKind kind = PictureKind::Folder;
};

// A thin horizontal line from (left, top), `width` long.
struct Line {
    std::string name;
    double left = 0;
    double top = 0;
    double width = 0;
    Colour colour = Black;
};

using Element = std::variant<TextBox, Picture, Line>;

struct Paper {
    // A4
    static constexpr double ShortSide = 210;
    static constexpr double LongSide = 297;
    Orientation orientation = Orientation::Portrait;
    double margin = 10; // on all four sides

    double Width() const { return orientation == Orientation::Portrait ? ShortSide : LongSide; }
    double Height() const { return orientation == Orientation::Portrait ? LongSide : ShortSide; }
    // The area inside the margins.
    double PrintableWidth() const { return Width() - 2 * margin; }
    double PrintableHeight() const { return Height() - 2 * margin; }
};

// One page of absolutely positioned elements, painted in their order.
struct Page {
    std::string name; // the document's title, "Scheda informativa"
    Paper paper;
    std::vector<Element> elements;

    // The text box named `name`, or nullptr.
    const TextBox* Box(std::string_view name) const;
};

// 1/96 inch, the unit in which report positions are often quoted.
constexpr double MmFromUnits(double units) { return units * 25.4 / 96.0; }

} // namespace report
