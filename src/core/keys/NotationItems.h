#pragma once
// The items a formula is drawn as. The typesetter reads the course's notation byte by byte
// and draws pieces (numbers, fractions, letters, signs) as it goes; this walks a formula
// the same way and lists those pieces, so that what is read is what the sheet shows. Where
// the drawing would not show the formula as written (a fraction that loses its bar, a
// numerator that is never drawn, a bar-fraction tail without its ")"), the walk stops with
// a Bad item rather than guess.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace keys {

struct NotationItem {
    enum class Kind {
        Token,    // a collected run drawn as one piece: digits, ".", "[...]"
        Fraction, // numerator over denominator
        Power,    // one raised digit
        Letter,   // a to z
        Plus,
        Minus,
        Open,
        Close,
        Times,
        Divide,
        Equal,
        Ratio, // ":"
        Less,
        Greater,
        LessEqual,
        GreaterEqual,
        Gap,    // a blank
        Joiner, // "&": no sign between two pieces
        Bad,
    };
    Kind kind = Kind::Bad;
    std::size_t at = 0; // first byte of the item in the formula
    // Token: its text; Fraction: the numerator as drawn (brackets stripped). Positions
    // of each byte in the formula alongside.
    std::string text;
    std::vector<std::uint32_t> textAt;
    std::string denominator; // Fraction only
    std::vector<std::uint32_t> denominatorAt;
    bool joined = false; // a "|" fraction whose numerator was joined with a tail ("1|3,x+5)")
};

// Lists the items of one formula (ASCII; a caller reads only text without double-byte
// characters here). The list ends at the first Bad item.
std::vector<NotationItem> ReadNotationItems(std::string_view formula);

} // namespace keys
