#include "worksheet/Worksheet.h"

#include <charconv>

int Worksheet::kran(int line) const {
    if (line < 0 || line >= static_cast<int>(lstKranX.size())) return 0;
    const std::string& s = lstKranX[line];
    int v = 0;
    const char* b = s.data();
    const char* e = s.data() + s.size();
    while (b < e && *b == ' ') ++b;
    if (b < e && *b == '+') ++b;
    auto r = std::from_chars(b, e, v);
    return r.ec == std::errc() ? v : 0;
}
