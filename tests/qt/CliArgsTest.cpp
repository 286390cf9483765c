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
