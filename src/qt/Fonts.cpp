#include "qt/Fonts.h"

#include <QFont>
#include <QStringList>
#include <mutex>

#include "text/Sjis.h"

namespace {

struct Substitution {
    const char* face; // UTF-8
    const char* installed;
};

// Full-width and half-width spellings of the Windows faces both occur in course files.
constexpr Substitution kSubstitutions[] = {
    {"ＭＳ 明朝", "IPAMincho"},           {"MS 明朝", "IPAMincho"},
    {"ＭＳ Ｐ明朝", "IPAPMincho"},        {"MS P明朝", "IPAPMincho"},
    {"ＭＳ ゴシック", "IPAGothic"},       {"MS ゴシック", "IPAGothic"},
    {"ＭＳ Ｐゴシック", "IPAPGothic"},    {"MS Pゴシック", "IPAPGothic"},
    {"Bookman Old Style", "URW Bookman"},
};

const char* const kDefaultFace = "ＭＳ 明朝";

} // namespace

void registerFontSubstitutions() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (const Substitution& s : kSubstitutions) {
            const QString face = QString::fromUtf8(s.face);
            if (!QFont::substitutes(face).contains(QLatin1String(s.installed)))
                QFont::insertSubstitution(face, QLatin1String(s.installed));
        }
    });
}

QString fontFamilyFor(std::string_view sjisFace) {
    registerFontSubstitutions();
    QString face;
    if (sjisFace.empty()) {
        face = QString::fromUtf8(kDefaultFace);
    } else {
        bool ascii = true;
        for (char c : sjisFace)
            if (static_cast<unsigned char>(c) >= 0x80) ascii = false;
        face = ascii ? QString::fromLatin1(sjisFace.data(), static_cast<qsizetype>(sjisFace.size()))
                     : QString::fromStdString(sjis::toUtf8(sjisFace));
    }
    // The installed family itself: a face the font database does not know is looked up
    // through the fallback lists of the whole system, which takes far longer.
    return QFont::substitute(face);
}
