#include "text/Lines.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace lines {

namespace {

// Calls take(line) for every line of bytes.
template <typename Take> void eachLine(std::string_view bytes, Take take) {
    const char* data = bytes.data();
    const std::size_t n = bytes.size();
    std::size_t start = 0; // of the line in hand
    // A CR or LF at b ends the line in hand, except for the LF of a CR LF.
    auto lineEnd = [&](std::size_t b) {
        if (data[b] == '\n' && b == start && b > 0 && data[b - 1] == '\r') {
            start = b + 1;
            return;
        }
        take(bytes.substr(start, b - start));
        start = b + 1;
    };
    std::size_t i = 0;
#ifdef __SSE2__
    // Sixteen bytes at a time, every line end among them in turn. The LF of a CR LF is
    // passed over here (the byte after the chunk is looked at too): one turn per line.
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    unsigned skipFirst = 0; // the chunk starts with the LF of a CR LF
    for (; i + 17 <= n; i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 1));
        const auto crs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, cr)));
        const auto lfs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, lf)));
        const auto lfAfter = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(after, lf)));
        const unsigned pairs = crs & lfAfter; // CRs followed by an LF
        unsigned ends = (crs | lfs) & ~((pairs << 1) | skipFirst) & 0xFFFFu;
        for (; ends != 0; ends &= ends - 1) {
            const std::size_t b = i + static_cast<std::size_t>(__builtin_ctz(ends));
            take(bytes.substr(start, b - start));
            start = b + 1 + ((pairs >> (b - i)) & 1u);
        }
        skipFirst = (pairs >> 15) & 1u;
    }
    i += skipFirst; // that LF is passed over already
#endif
    for (; i < n; ++i)
        if (data[i] == '\r' || data[i] == '\n') lineEnd(i);
    if (start < n) take(bytes.substr(start));
}

} // namespace

Lines split(std::string_view bytes) {
    Lines out;
    eachLine(bytes, [&](std::string_view line) { out.emplace_back(line); });
    return out;
}

LineViews splitViews(std::string_view bytes) {
    LineViews out;
    splitViews(bytes, out);
    return out;
}

void splitViews(std::string_view bytes, LineViews& out) {
    out.clear();
    eachLine(bytes, [&](std::string_view line) { out.push_back(line); });
}

LineViews views(const Lines& list) {
    return LineViews(list.begin(), list.end());
}

std::string join(const Lines& list) {
    std::size_t total = 0;
    for (const auto& l : list)
        total += l.size() + 2;
    std::string out;
    out.reserve(total);
    for (const auto& l : list) {
        out += l;
        out += "\r\n";
    }
    return out;
}

} // namespace lines
