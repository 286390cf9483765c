// The formula notation read as the sheet shows it: fractions, bars, powers, brackets and
// signs give the values a pupil reads; what the sheet would show otherwise is not read.
#include <gtest/gtest.h>

#include "keys/AnswerText.h"
#include "keys/FormulaReader.h"
#include "keys/ValueText.h"
#include "text/Sjis.h"

using namespace keys;

namespace {

GiNaC::ex x() {
    return LetterSymbol('x');
}
GiNaC::ex q(int n, int d = 1) {
    return GiNaC::numeric(n, d);
}

struct Reads {
    const char* formula;
    GiNaC::ex value;
};

TEST(KeysNotation, FormulasReadAsTheSheetShowsThem) {
    const Reads table[] = {
        {"1/3x", x() / 3},                        // a fraction before a letter multiplies it
        {"2/5x", q(2, 5) * x()},                  //
        {"[x+1]/3", (x() + 1) / 3},               // brackets make the numerator
        {"[2x-1]/3", (2 * x() - 1) / 3},          //
        {"[x]/4-1", x() / 4 - 1},                 // the fraction ends at the sign
        {"3|4x", q(3, 4) * x()},                  // a bar fraction without a tail
        {"1|3,x+5)", (x() + 5) / 3},              // the tail up to ")" is the numerator
        {"1|3,2x+1)", (2 * x() + 1) / 3},         //
        {"2^3x", 8 * x()},                        // one raised digit
        {"(-2)^2x", 4 * x()},                     //
        {"-3^2", q(-9)},                          // the power before the sign
        {"10^2-3x", 100 - 3 * x()},               //
        {"x+3^2", x() + 9},                       //
        {"5*(x-1)", 5 * (x() - 1)},               // times
        {"x\\3", x() / 3},                        // divided by
        {"(x+6)\\2", (x() + 6) / 2},              //
        {"1&1/2", q(3, 2)},                       // a mixed number
        {"x-1&1/2", x() - q(3, 2)},               //
        {"0.25x", x() / 4},                       // decimals are exact
        {"0.06x+0.1", q(3, 50) * x() + q(1, 10)}, //
        {"2(x+3)", 2 * x() + 6},                  // a number before a bracket multiplies
        {"1/2(x-4)", (x() - 4) / 2},              //
        {"-3(x+4)", -3 * x() - 12},               //
        {"2(3x+1)-5(x-2)", x() + 12},             //
        {"x (x + 1)", x() * x() + x()},           // blanks only space the pieces
        {"1234567890123456789012345678901234567890x",
         GiNaC::numeric("1234567890123456789012345678901234567890") * x()},
    };
    for (const Reads& r : table) {
        const Formula f = ReadFormula(r.formula);
        ASSERT_TRUE(f.ok) << r.formula << ": " << f.why;
        ASSERT_EQ(f.sides.size(), 1u) << r.formula;
        EXPECT_TRUE(GiNaC::expand(f.sides[0] - r.value).is_zero())
            << r.formula << " read as " << f.sides[0];
    }
}

TEST(KeysNotation, WhatTheSheetShowsOtherwiseIsNotRead) {
    const char* table[] = {
        "x/3",     // "/" after a letter: the sheet shows x 3
        "(x+1)/3", // nor after a bracket
        "1/2/3",   // the first numerator is never drawn
        "1/",      // a bar without its denominator
        "2 3",     // two numbers side by side
        "x2",      // a number after a letter
        "x^12",    // only the 1 is raised; a 2 follows the power
        "x^",      // nothing to raise
        "6\\2x",   // read both ways in classrooms
        "[x+1",    // the bracket swallows the rest
        "x+1]",    //
        "1|3,x+5", // the tail without its ")" loses its last byte
        "R2",      // a root sign
        "3x!",     //
        "1|2x,3)", // a bar fraction's mode swallows the next sign
        "",        //
        "+",       //
        "3+",      //
    };
    for (const char* formula : table) {
        const Formula f = ReadFormula(formula);
        EXPECT_FALSE(f.ok) << formula << " read as "
                           << (f.sides.empty() ? GiNaC::ex(0) : f.sides[0]);
    }
}

TEST(KeysNotation, RelationsAndBounds) {
    struct Case {
        const char* formula;
        std::vector<Relation> relations;
        bool openEnd;
    };
    const Case table[] = {
        {"x:6=2:3", {Relation::Ratio, Relation::Equal, Relation::Ratio}, false},
        {"x+y=3x-y=8", {Relation::Equal, Relation::Equal}, false},
        {"3+4*2=", {Relation::Equal}, true},
        {"-2<=x<=4", {Relation::LessEqual, Relation::LessEqual}, false},
        {"x>1", {Relation::Greater}, false},
        {"1/2x+3:4", {Relation::Ratio}, false}, // a ratio sign after a drawn fraction
    };
    for (const Case& c : table) {
        const Formula f = ReadFormula(c.formula);
        ASSERT_TRUE(f.ok) << c.formula << ": " << f.why;
        EXPECT_EQ(f.relations, c.relations) << c.formula;
        EXPECT_EQ(f.openEnd, c.openEnd) << c.formula;
    }
    // The work per formula is bounded: long, deep, high or huge formulas are not read.
    const std::string deep = std::string(200, '(') + "x" + std::string(200, ')') + "=3";
    const std::string longLine(10000, '1');
    std::string high = "x";
    for (int k = 0; k < 5; ++k)
        high = "(" + high + ")^9";
    const std::string huge = "(" + std::string(40, '9') + ")^9(" + std::string(40, '9') + ")^9(" +
                             std::string(40, '9') + ")^9";
    for (const std::string& f : {deep, longLine, high, huge, std::string(41, '7')})
        EXPECT_FALSE(ReadFormula(f).ok) << f.substr(0, 60);
    const Formula zero = ReadFormula("[x]/0=1");
    EXPECT_FALSE(zero.ok);
    EXPECT_TRUE(zero.divisionByZero);
    EXPECT_TRUE(ReadFormula("[6]/[x+1]=2").letterInDenominator);
}

TEST(KeysNotation, KeysReadWithTheirLetterAndForm) {
    struct Case {
        const char* utf8;
        bool ok;
        char letter;
        GiNaC::ex value;
        NumberForm form;
    };
    const Case table[] = {
        {" 7 ", true, 0, q(7), NumberForm::Fraction},
        {"x=4", true, 'x', q(4), NumberForm::Fraction},
        {"-3/7", true, 0, q(-3, 7), NumberForm::Fraction},
        {"-0.5", true, 0, q(-1, 2), NumberForm::Decimal},
        {"y=2x+1", true, 'y', 2 * x() + 1, NumberForm::Fraction},
        {"-0.6x+18", true, 0, q(-3, 5) * x() + 18, NumberForm::Decimal},
        {"　－３　", true, 0, q(-3), NumberForm::Fraction}, // typed in full width
        {"ｘ＝１２", true, 'x', q(12), NumberForm::Fraction},
        {"１／２", true, 0, q(1, 2), NumberForm::Fraction},
        {"０．７５", true, 0, q(3, 4), NumberForm::Decimal},
        {"よん", false, 0, 0, NumberForm::Fraction},
        {"", false, 0, 0, NumberForm::Fraction},
        {"x=", false, 0, 0, NumberForm::Fraction},
        {"x<4", false, 0, 0, NumberForm::Fraction},
    };
    for (const Case& c : table) {
        const KeyValue k = ReadKeyValue(sjis::fromUtf8(c.utf8));
        EXPECT_EQ(k.ok, c.ok) << c.utf8;
        if (!k.ok || !c.ok) continue;
        EXPECT_EQ(k.letter, c.letter) << c.utf8;
        EXPECT_TRUE(GiNaC::expand(k.value - c.value).is_zero()) << c.utf8 << " read as " << k.value;
        EXPECT_EQ(k.form, c.form) << c.utf8;
    }
}

TEST(KeysNotation, ValuesWrittenAsKeysReadBackToThemselves) {
    // Every value the checker names and the generator writes reads back as itself.
    std::vector<GiNaC::ex> values;
    for (int n = -12; n <= 12; ++n)
        for (int d : {1, 2, 3, 4, 5, 8, 10}) {
            values.push_back(q(n, d));
            values.push_back(q(n, d) * x());
            values.push_back(q(n, d) * x() + q(d, 7));
            values.push_back(x() * x() - q(n, d));
        }
    for (const GiNaC::ex& v : values) {
        for (NumberForm form : {NumberForm::Fraction, NumberForm::Decimal}) {
            const std::string text = ValueText(v, form);
            const KeyValue k = ReadKeyValue(text);
            ASSERT_TRUE(k.ok) << text;
            EXPECT_TRUE(GiNaC::expand(k.value - v).is_zero()) << v << " written " << text;
        }
    }
    EXPECT_EQ(ValueText(q(9, 2), NumberForm::Decimal), "4.5");
    EXPECT_EQ(ValueText(q(-1, 8), NumberForm::Decimal), "-0.125");
    EXPECT_EQ(ValueText(q(1, 3), NumberForm::Decimal), "1/3"); // no finite decimal
    EXPECT_EQ(ValueText(-x() + 7), "-x+7");
    EXPECT_EQ(ValueText(q(1, 2) * x()), "1/2x");
}

} // namespace
