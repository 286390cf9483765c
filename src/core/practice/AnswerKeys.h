#pragma once
// The on-screen ways of entering an answer: the fraction keypad, the integer keys, the
// soft keyboard and the answer-choice list. Each takes the field's text and gives the text
// the field holds afterwards; the window shows it and puts the caret at the end.
// Strings are Shift-JIS.

#include <string>
#include <string_view>

#include "text/Lines.h"
#include "text/Shuffle.h"

// The fraction keypad. Fractions are read denominator first (7分の5 is 5/7): digits go
// to the denominator until 分の is pressed.
struct FractionPad {
    std::string sign; // "", "+" or "-"
    std::string numerator;
    std::string denominator;
    bool denominatorFirst = true;
    bool barMarked = false; // the fraction bar is coloured once 分の is pressed

    bool pending() const { return !sign.empty() || !numerator.empty() || !denominator.empty(); }
};

// A digit key "0".."9" of the keypad; other keys change nothing.
void PadDigit(FractionPad& pad, char digit);
// 分の: the digits that follow go to the numerator.
void PadBunno(FractionPad& pad);
// "+" or "-".
void PadSign(FractionPad& pad, char sign);
// 消去: the keypad empty again.
void PadClear(FractionPad& pad);
// <==: the pending fraction (sign + numerator + "/" + denominator) appended to the field's
// text and the keypad cleared; the text unchanged when nothing is pending.
std::string PadInsert(FractionPad& pad, std::string_view fieldText);
// 次へ of the keypad: the pending fraction inserted as by <==; enter is set when the field
// then holds an answer to mark.
struct PadNext {
    std::string text;
    bool enter = false;
};
PadNext PadNextKey(FractionPad& pad, std::string_view fieldText);

// A key of the integer keys: "0".."9", "." and "-" are appended; "x=", "y=" and "a="
// replace the text. Any other caption changes nothing.
std::string IntegerKey(std::string_view fieldText, std::string_view caption);

// A key of the soft keyboard: its caption appended, to an emptied field when part of the
// field's text is selected (the wrong answer selected after a wrong try goes at once).
std::string SoftKeyPress(std::string_view fieldText, bool hasSelection, std::string_view caption);
// ＢＳ: the last character removed (a double-byte character whole).
std::string BackSpace(std::string_view fieldText);

constexpr int SoftKeyCount = 120;
// The captions of the soft keyboard's 120 keys: the characters of the "<<softkey" lines
// in order (blanks and control characters left out, at most 120), shuffled with pick;
// keys beyond them are empty.
Lines SoftKeyCaptions(const Lines& softkeyLines, const PickIndex& pick);

// The items of the answer-choice list: the "<<kgroup" lines without blank lines and
// repeats, shuffled with pick.
Lines AnswerChoices(const Lines& kgroupLines, const PickIndex& pick);
