#include "typeset/UnitPictures.h"

namespace {

// 16 rows of 16 pixels each: "#" is ink, "." paper.
using Pattern = const char * [UnitPictures::Side];

// A script small l (the litre sign): a tall loop with a tail turned to the right.
constexpr Pattern Litre = {
    "................", //
    "..........##....", //
    ".........#..#...", //
    "........#...#...", //
    "........#..#....", //
    ".......#...#....", //
    ".......#..#.....", //
    ".......#.#......", //
    "......#.#.......", //
    "......##........", //
    "......#.........", //
    "......#.........", //
    "......#.....#...", //
    "......#....#....", //
    ".......####.....", //
    "................", //
};

// An upright small g (the gram sign) with a closed bowl and an open tail.
constexpr Pattern Gram = {
    "................", //
    "................", //
    "................", //
    "......####.##...", //
    ".....#....##....", //
    "....#......#....", //
    "....#......#....", //
    "....#......#....", //
    ".....#....##....", //
    "......####.#....", //
    "...........#....", //
    "....#......#....", //
    ".....#....#.....", //
    "......####......", //
    "................", //
    "................", //
};

// An upright small a (the are sign, a unit of area).
constexpr Pattern Are = {
    "................", //
    "................", //
    "................", //
    "................", //
    ".....#####......", //
    "....#.....#.....", //
    "..........#.....", //
    "..........#.....", //
    "......#####.....", //
    ".....#....#.....", //
    "....#.....#.....", //
    "....#.....#.....", //
    "....#....##.....", //
    ".....####.##....", //
    "................", //
    "................", //
};

Bitmap paint(const Pattern& pattern, std::uint32_t ink) {
    Bitmap b(UnitPictures::Side, UnitPictures::Side, UnitPictures::Paper);
    for (int y = 0; y < UnitPictures::Side; ++y)
        for (int x = 0; x < UnitPictures::Side; ++x)
            if (pattern[y][x] == '#') b.at(x, y) = ink;
    return b;
}

UnitPictures build() {
    UnitPictures p;
    p.imgLitter = paint(Litre, UnitPictures::Ink);
    p.imgRedLitter = paint(Litre, UnitPictures::RedInk);
    p.imgGram = paint(Gram, UnitPictures::Ink);
    p.imgRedGram = paint(Gram, UnitPictures::RedInk);
    p.imgABlack = paint(Are, UnitPictures::Ink);
    p.imgARed = paint(Are, UnitPictures::RedInk);
    return p;
}

} // namespace

const Bitmap* UnitPictures::forSign(char sign, bool red) const {
    switch (sign) {
    case 'l':
        return red ? &imgRedLitter : &imgLitter;
    case 'g':
        return red ? &imgRedGram : &imgGram;
    case '~':
        return red ? &imgARed : &imgABlack;
    default:
        return nullptr;
    }
}

const UnitPictures& unitPictures() {
    static const UnitPictures pictures = build();
    return pictures;
}
