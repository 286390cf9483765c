#include <gtest/gtest.h>

#include "cli/CliArgs.h"

TEST(CliArgs, UnitReferences) {
    EXPECT_EQ(parseUnitRef("1.2.3"), (UnitRef{1, 2, 3, 0}));
    EXPECT_EQ(parseUnitRef("1.2.3.1"), (UnitRef{1, 2, 3, 1}));
    for (const char* bad : {"", "1", "1.2", "1.2.3.4.5", "0.1.1", "1..3", "a.b.c", "1.2.3.",
                            "1.2.-3", "99999999999.1.1"})
        EXPECT_FALSE(parseUnitRef(bad).has_value()) << bad;
}

TEST(CliArgs, RenderDefaultsAndOptions) {
    std::string err;
    auto a = parseRenderArgs({"course", "--unit", "1.1.2", "-o", "x.PDF"}, err);
    ASSERT_TRUE(a) << err;
    EXPECT_EQ(a->courseDir, "course");
    EXPECT_EQ(a->dpi, 600);
    EXPECT_TRUE(a->printerMode);
    EXPECT_EQ(a->copies, 1);
    EXPECT_EQ(a->start, 1);
    EXPECT_FALSE(a->numbered);

    a = parseRenderArgs({"--prp", "w.prp", "-o", "p.png", "--mode", "screen", "--copies", "3",
                         "--numbered", "--start", "5", "--answers", "--school", "東中学校"},
                        err);
    ASSERT_TRUE(a) << err;
    EXPECT_TRUE(a->courseDir.empty());
    EXPECT_FALSE(a->printerMode);
    EXPECT_EQ(a->copies, 3);
    EXPECT_EQ(a->start, 5);
    EXPECT_TRUE(a->numbered && a->answers);
    EXPECT_EQ(a->school.value_or(""), "東中学校");
}

TEST(CliArgs, RenderUsageErrors) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"--unit", "1.1.1"},                                  // no output
        {"--unit", "1.1.1", "--prp", "a.prp", "-o", "x.png"}, // both sources
        {"--unit", "1.1.1", "-o", "x.jpg"},                   // wrong output type
        {"--unit", "1.1.1", "-o", "x.png", "--dpi", "0"},
        {"--unit", "1.1.1", "-o", "x.png", "--mode", "paper"},
        {"--unit", "1.1.1", "-o", "x.png", "--bogus"},
        {"--unit", "1.1.1", "-o"},
        {"a", "b", "--unit", "1.1.1", "-o", "x.png"},
    };
    for (const auto& args : bad) {
        std::string err;
        EXPECT_FALSE(parseRenderArgs(args, err).has_value());
        EXPECT_FALSE(err.empty());
    }
}

TEST(CliArgs, ExportTakesUnitAndOptionalOutput) {
    std::string err;
    auto a = parseExportArgs({"--unit", "2.1.3.2"}, err);
    ASSERT_TRUE(a) << err;
    EXPECT_EQ(a->unit, (UnitRef{2, 1, 3, 2}));
    EXPECT_TRUE(a->out.empty());
    EXPECT_FALSE(parseExportArgs({"-o", "x.prp"}, err).has_value());
    EXPECT_FALSE(parseExportArgs({"--unit", "1.1.1", "--answers"}, err).has_value());
}

TEST(CliArgs, VariedCopiesTakeASeedAndPrintNumberedPdfs) {
    std::string err;
    auto a = parseRenderArgs({"--unit", "1.1.1", "-o", "v.pdf", "--copies", "30", "--numbered",
                              "--vary", "20261208", "--key-booklet"},
                             err);
    ASSERT_TRUE(a) << err;
    EXPECT_EQ(a->vary.value_or(0), 20261208u);
    EXPECT_TRUE(a->keyBooklet);
    a = parseRenderArgs({"--unit", "1.1.1", "-o", "x.pdf"}, err);
    ASSERT_TRUE(a) << err;
    EXPECT_FALSE(a->vary.has_value());

    struct Bad {
        std::vector<std::string> args;
        const char* error;
    };
    const std::vector<std::string> base{"--unit", "1.1.1", "--numbered"};
    auto with = [&](std::vector<std::string> more) {
        std::vector<std::string> all = base;
        all.insert(all.end(), more.begin(), more.end());
        return all;
    };
    const Bad bad[] = {
        {with({"-o", "v.pdf", "--vary"}), "--vary needs a value"},
        {with({"-o", "v.pdf", "--vary", "x12"}),
         "--vary takes a seed of 1 to 18 digits, for example 20261208"},
        {with({"-o", "v.pdf", "--vary", "-5"}),
         "--vary takes a seed of 1 to 18 digits, for example 20261208"},
        {with({"-o", "v.pdf", "--vary", "1234567890123456789"}),
         "--vary takes a seed of 1 to 18 digits, for example 20261208"},
        {with({"-o", "v.png", "--vary", "7"}), "--vary writes a PDF file (OUT.pdf)"},
        {with({"-o", "v.pdf", "--vary", "7", "--mode", "screen"}),
         "--vary prints in --mode printer"},
        {{"--unit", "1.1.1", "-o", "v.pdf", "--vary", "7"},
         "--vary needs --numbered: each copy carries its number"},
        {with({"-o", "v.pdf", "--vary", "7", "--answers", "--key-booklet"}),
         "give one of --answers and --key-booklet"},
        {with({"-o", "v.pdf", "--key-booklet"}), "--key-booklet needs --vary SEED"},
    };
    for (const Bad& b : bad) {
        std::string error;
        EXPECT_FALSE(parseRenderArgs(b.args, error).has_value()) << b.error;
        EXPECT_EQ(error, b.error);
    }
}
