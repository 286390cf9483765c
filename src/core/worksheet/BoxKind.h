#pragma once
// The shape of the answer boxes (解答欄の形): what the page draws around each answer, and
// the layout settings dialog's choice of it.

#include <optional>
#include <string>

struct Workspace;

// The numbers are the ones written to the first kran line of a worksheet's files.
enum class BoxKind {
    None = 0,               // なし: the answer alone
    Square = 1,             // 四角
    SquareBrackets = 2,     // ［ ］
    LenticularBrackets = 3, // 【 】
    Underline = 4,          // ____
    RoundedSquare = 5,      // 角丸
};

// The box's left and right sides stand beside the answer (square, rounded square): an
// answer keeps room from the left side, and its ink must end short of the right one.
constexpr bool HasSides(BoxKind kind) {
    return kind == BoxKind::Square || kind == BoxKind::RoundedSquare;
}
// A pair of full-width brackets stands at the answer's own edges.
constexpr bool IsBracket(BoxKind kind) {
    return kind == BoxKind::SquareBrackets || kind == BoxKind::LenticularBrackets;
}
// The box is drawn along the answer grown by the width and height settings (square,
// underline, rounded square), and that grown box is what the answer takes on the page.
constexpr bool FollowsBoxSize(BoxKind kind) {
    return HasSides(kind) || kind == BoxKind::Underline;
}

// The kind of a number as the dialog and the files count them; nothing outside 0..5.
std::optional<BoxKind> BoxKindFromNumber(int number);
// The kind a kran line names: its first character 1..5; None for anything else (an empty
// line, a blank, "0", junk), so that a damaged file draws no box rather than a wrong one.
BoxKind BoxKindOfLine(const std::string& line);

struct BoxKindSpins {
    bool width;  // 幅 applies to the kind
    bool height; // 高さ applies to the kind
};
// Which of the two size spins a kind number uses (none for an unknown number).
BoxKindSpins SizeSpinsOf(int kind);

// Gives the current worksheet box kind number `kind` and lays it out again. Choosing なし
// or ____ marks the worksheet modified; the other shapes leave the mark as it was. Numbers
// outside 0..5 change nothing.
void SetBoxKind(Workspace& program, int kind);
