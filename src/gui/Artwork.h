#pragma once
// The program's own pictures: the program icon, the button glyphs and the six cursors,
// drawn from the SVG files in the program's resources.

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <array>
#include <optional>

#include "practice/RunView.h"

// The program icon in every size a desktop asks for.
QIcon programIcon();
// A glyph ("lockopen", "lockshut", "red", "dred", "marugr", "maruyl") at size × size
// device-independent pixels, sharp at the given device pixel ratio.
QPixmap glyph(const char* name, int size = 20, qreal dpr = 1.0);

// The reaction picture to a score, at its own size (97 × 113; the hearts 114 × 105 and
// 67 × 62), sharp at the given device pixel ratio.
QPixmap reactionPicture(Reaction reaction, qreal dpr = 1.0);

// The cursors registered under the numbers 1 to 6: 1 arrow, 2 pointing finger, 3 point,
// 4 cross, 5 pencil, 6 scissors.
class CursorTable {
  public:
    CursorTable();
    // Cursor n (1..6); the ordinary arrow for any other number.
    QCursor cursor(int n) const;

  private:
    mutable std::array<std::optional<QCursor>, 6> cursors_;
};
