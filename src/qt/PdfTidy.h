#pragma once
// The last touches to a PDF file as the PDF writer leaves it, made on its bytes before it
// is saved:
// - the creation date (and a modification date) becomes a given moment, so that the same
//   worksheet printed at SOURCE_DATE_EPOCH gives the same file;
// - every embedded font subset is named as a subset: "ABCDEF+Name" on its descriptor's
//   FontName and on each font's BaseFont, the tag the descriptor carries or one made from
//   the font, as viewers and checkers expect.
// Names grow, so the cross-reference table is moved along. A file whose structure is not
// the plain one the writer makes (one table, objects at their listed offsets) is given
// back unchanged.

#include <QByteArray>
#include <QDateTime>
#include <optional>

QByteArray TidyPdf(const QByteArray& pdf, const std::optional<QDateTime>& created);
