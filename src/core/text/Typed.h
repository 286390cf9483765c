#pragma once
// Text a user typed, in Shift-JIS, and whether every character of it had a Shift-JIS
// form. Names and passwords are refused rather than stored with "?" in place of the
// characters they lost.

#include <string>
#include <string_view>

#include "text/Sjis.h"

struct TypedText {
    std::string text; // Shift-JIS
    bool exact = true;
};

inline TypedText TypedFromUtf8(std::string_view utf8) {
    return {sjis::fromUtf8(utf8), sjis::representable(utf8)};
}
