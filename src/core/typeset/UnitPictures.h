#pragma once
// The unit pictures the formula typesetter draws for a unit sign standing alone: the litre
// sign "l", the gram sign "g" and the are sign "~", each 16 × 16 in black and in red.
// They are drawn by our own code once, on first use, and never change afterwards.

#include "platform/Bitmap.h"

struct UnitPictures {
    Bitmap imgLitter, imgRedLitter; // litre sign
    Bitmap imgGram, imgRedGram;     // gram sign
    Bitmap imgABlack, imgARed;      // are sign

    static constexpr int Side = 16;
    static constexpr std::uint32_t Paper = 0xFFFFFFFFu;
    static constexpr std::uint32_t Ink = 0xFF000000u;
    static constexpr std::uint32_t RedInk = 0xFFFF0000u;

    // The pictures for "l", "g" and "~" (nullptr for any other byte), black or red.
    const Bitmap* forSign(char sign, bool red) const;
};

// The one set of pictures, built on first use (thread-safe) and shared read-only.
const UnitPictures& unitPictures();
