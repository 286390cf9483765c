#pragma once
// Shift-JIS text turned into QStrings for painting, with the CP932 mapping. Canvases draw
// the same short runs over and over (formula glyphs, header words), so converted strings are
// kept together with the advance width last measured for them.

#include <QStaticText>
#include <QString>
#include <QStringDecoder>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

class SjisTextCache {
  public:
    struct Entry {
        QString text;
        // Advance width in the font identified by widthFont (-1: not measured yet).
        int widthFont = -1;
        int width = 0;
        // The text laid out for painting in the font identified by layoutFont.
        int layoutFont = -1;
        QStaticText layout;
    };

    explicit SjisTextCache(std::size_t capacity = 4096);

    // The entry for text; the reference stays valid until the next call.
    Entry& lookup(std::string_view text);
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
