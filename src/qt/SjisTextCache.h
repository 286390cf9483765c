#pragma once
// Shift-JIS text turned into QStrings for painting, with the CP932 mapping. Canvases draw
// the same short runs over and over (formula glyphs, header words), so converted strings are
// kept together with their shaping in each font they were used in: the advance width and
// the glyphs, so that a run is shaped once and then only placed.

#include <QGlyphRun>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class QFont;

class SjisTextCache {
  public:
    // A text shaped in one font: its advance width and its glyphs with ink, placed for a
    // cell whose top-left corner is at the origin.
    struct Shaped {
        int font = -1; // the canvas's id of the font
        int width = 0;
        QList<QGlyphRun> runs;
    };
    struct Entry {
        QString text;
        std::vector<Shaped> shapes;
    };

    explicit SjisTextCache(std::size_t capacity = 4096);

    // The entry for text; the reference stays valid until the next call.
    Entry& lookup(std::string_view text);
    // The shaping of text in font (identified by fontId); shaped on first use. The
    // reference stays valid until the next call.
    const Shaped& shaped(std::string_view text, const QFont& font, int fontId);
    // Converts without caching.
    QString decode(std::string_view text);

    std::size_t size() const { return entries_.size(); }

  private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const noexcept {
            return std::hash<std::string_view>{}(s);
        }
    };

    QStringDecoder decoder_;
    std::size_t capacity_;
    std::unordered_map<std::string, Entry, Hash, std::equal_to<>> entries_;
};
