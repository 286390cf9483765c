// INI files: private-profile reading, writing, key lists and section erasing.
#include <functional>

#include <gtest/gtest.h>

#include "Fakes.h"
#include "text/Lines.h"
#include "text/Profile.h"
#include "text/Sjis.h"

namespace {

const std::string kPath = "C:\\course\\L1\\taro.ini";

struct ProfileTest : ::testing::Test {
    MemoryFiles files;
    Profile ini{files, kPath};
    void putUtf8(const std::string& text) { files.putUtf8(kPath, text); }
    std::string fileUtf8() const { return sjis::toUtf8(files.get(kPath)); }
};

TEST_F(ProfileTest, ReadsValuesMatchingNamesWithoutAsciiCase) {
    putUtf8("[password]\r\npw = secret  \r\n[S11一次方程式]\r\n1=12/15 80点\r\n");
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"password", "pw", "secret"},    {"PASSWORD", "PW", "secret"},
        {" Password ", "pW ", "secret"}, {"s11一次方程式", "1", "12/15 80点"},
        {"password", "missing", "?"},    {"nosection", "pw", "?"},
        {"S11一次方程式", "pw", "?"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sjis::toUtf8(ini.readString(J(c.section), J(c.key), "?")), c.expected)
            << c.section << "/" << c.key;
}

TEST_F(ProfileTest, MissingOrUnreadableFileGivesDefaultAndNoKeys) {
    EXPECT_EQ(ini.readString("password", "pw", "?"), "?");
    EXPECT_TRUE(ini.keys("password").empty());
    files.put(kPath, "[password]\r\npw=x\r\n");
    files.unreadable.insert(sjis::asciiLower(kPath));
    EXPECT_EQ(ini.readString("password", "pw", "?"), "?");
}

TEST_F(ProfileTest, WriteCreatesFileSectionAndKeyAndReplacesValues) {
    ASSERT_TRUE(ini.writeString("password", "pw", "abc"));
    EXPECT_EQ(files.get(kPath), "[password]\r\npw=abc\r\n");
    ASSERT_TRUE(ini.writeString(J("S11方程式"), "1", J("１回目")));
    ASSERT_TRUE(ini.writeString(J("S11方程式"), "2", "second"));
    ASSERT_TRUE(ini.writeString("PASSWORD", "PW", "new"));
    ASSERT_TRUE(ini.writeString("password", "hint", "h"));
    EXPECT_EQ(fileUtf8(),
              "[password]\r\npw=new\r\nhint=h\r\n[S11方程式]\r\n1=１回目\r\n2=second\r\n");
}

TEST_F(ProfileTest, NewKeyGoesAfterTheLastEntryKeepingBlankLinesAndComments) {
    putUtf8("; records\r\n[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n");
    ASSERT_TRUE(ini.writeString("a", "z", "3"));
    EXPECT_EQ(fileUtf8(), "; records\r\n[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n");
}

TEST_F(ProfileTest, KeysInFileOrderOnceEach) {
    putUtf8("[r]\r\n2=b\r\n1=a\r\nKey=c\r\nkey=d\r\n10=e\r\n[other]\r\n3=x\r\n");
    EXPECT_EQ(ini.keys("R"), (std::vector<std::string>{"2", "1", "Key", "10"}));
    EXPECT_EQ(ini.readString("r", "KEY", ""), "c");
    EXPECT_TRUE(ini.keys("none").empty());
}

TEST_F(ProfileTest, ManyKeysAreAllListed) {
    // Records append under key count + 1: a capped list would overwrite the last record.
    std::string text = "[S11]\r\n";
    for (int i = 1; i <= 3000; ++i)
        text += std::to_string(i) + "=r\r\n";
    files.put(kPath, text);
    auto keys = ini.keys("S11");
    ASSERT_EQ(keys.size(), 3000u);
    EXPECT_EQ(keys.back(), "3000");
}

TEST_F(ProfileTest, EraseRemovesEveryBlockOfTheSection) {
    putUtf8("[a]\r\nx=1\r\n[B]\r\ny=2\r\n\r\n[c]\r\nz=3\r\n[b]\r\nw=4\r\n");
    ASSERT_TRUE(ini.eraseSection("b"));
    EXPECT_EQ(fileUtf8(), "[a]\r\nx=1\r\n[c]\r\nz=3\r\n");
    EXPECT_TRUE(ini.keys("b").empty());
    ASSERT_TRUE(ini.eraseSection("none"));
    EXPECT_TRUE(Profile(files, "C:\\none.ini").eraseSection("a"));
    EXPECT_FALSE(files.fileExists("C:\\none.ini"));
}

TEST_F(ProfileTest, LongValuesAreCutAt1023BytesOnACharacterBoundary) {
    std::string exact(1023, 'a');
    // 1022 single bytes then a two-byte character that would end at byte 1024.
    std::string split = std::string(1022, 'b') + J("表") + "tail";
    files.put(kPath,
              "[s]\r\nexact=" + exact + "\r\nlong=" + exact + "xyz\r\nsplit=" + split + "\r\n");
    EXPECT_EQ(ini.readString("s", "exact", ""), exact);
    EXPECT_EQ(ini.readString("s", "long", ""), exact);
    EXPECT_EQ(ini.readString("s", "split", ""), std::string(1022, 'b'));
}

// A full disk, and a learner file that is a link leading out of the course folder: the
// file stays as it was and the caller is told why.
TEST_F(ProfileTest, FailedWriteKeepsTheOldFileAndSaysSo) {
    struct Case {
        const char* what;
        std::function<void()> fault;
        const char* said;
    } cases[] = {
        {"full disk", [this] { files.failWrites = true; },
         "C:\\course\\L1\\taro.ini に書き込めません: No space left on device"},
        {"link out of the course",
         [this] {
             files.setCourseFolder("C:\\course\\");
             files.linksOut.insert("c:\\course\\l1\\taro.ini");
         },
         "C:\\course\\L1\\taro.ini:コースのフォルダの外を指しています"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        putUtf8("[password]\r\npw=old\r\n");
        const std::string before = files.get(kPath);
        c.fault();
        const Report written = ini.writeString("password", "pw", "new");
        const Report erased = ini.eraseSection("password");
        EXPECT_FALSE(written);
        EXPECT_FALSE(erased);
        files.failWrites = false;
        files.linksOut.clear();
        EXPECT_EQ(files.get(kPath), before);
        EXPECT_EQ(sjis::toUtf8(written.message), c.said);
        EXPECT_EQ(sjis::toUtf8(erased.message), c.said);
    }
}

TEST_F(ProfileTest, UnreadableFileIsNotOverwritten) {
    putUtf8("[password]\r\npw=old\r\n");
    const std::string before = files.get(kPath);
    files.unreadable.insert(sjis::asciiLower(kPath));
    const Report written = ini.writeString("password", "pw", "new");
    const Report erased = ini.eraseSection("password");
    EXPECT_FALSE(written);
    EXPECT_FALSE(erased);
    EXPECT_EQ(files.get(kPath), before);
    EXPECT_EQ(sjis::toUtf8(written.message), "C:\\course\\L1\\taro.ini に書き込めません");
    EXPECT_EQ(erased.message, written.message);
}

TEST_F(ProfileTest, NamesThatWouldNotReadBackAreRefusedAndValuesStayOneLine) {
    for (const auto& [section, key] : {std::pair{"a", ""}, {"a", "k=x"}, {"a\r\n[b", "k"}}) {
        const Report refused = ini.writeString(section, key, "v");
        EXPECT_FALSE(refused) << key;
        EXPECT_FALSE(refused.message.empty()) << key;
    }
    EXPECT_FALSE(files.fileExists(kPath));
    ASSERT_TRUE(ini.writeString("a", "k", "line1\r\n[evil]\r\nx=1"));
    EXPECT_EQ(ini.keys("a"), std::vector<std::string>{"k"});
    EXPECT_TRUE(ini.keys("evil").empty());
    EXPECT_EQ(ini.readString("a", "k", ""), "line1  [evil]  x=1");
}

// A name ending in a lone lead byte would swallow the "]" or "=" written after it; names
// ending in a whole double-byte character (even one whose second byte is "\" or "]") are
// fine. Refused names leave the file as it was.
TEST_F(ProfileTest, NamesEndingInALoneLeadByteAreRefusedBeforeWriting) {
    putUtf8("[keep]\r\nx=1\r\n");
    struct Case {
        std::string section, key;
        bool accepted;
    } cases[] = {
        {"S11\x81", "1", false},    {"S11", "k\x95", false},
        {"S11\xfc ", "1", false}, // trimmed first, then the lead byte stands last
        {"\x81", "\xe0", false},    {J("S11表"), "1", true}, // 0x95 0x5C
        {"S11\x81\x5d", "2", true},                          // a character whose second byte is "]"
        {"S12", J("ソ"), true},                              // 0x83 0x5C
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(sjis::toUtf8(c.section) + "/" + sjis::toUtf8(c.key));
        const std::string before = files.get(kPath);
        const Report written = ini.writeString(c.section, c.key, "v");
        EXPECT_EQ(written.ok, c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(files.get(kPath), before);
            EXPECT_FALSE(written.message.empty());
            continue;
        }
        EXPECT_EQ(ini.readString(c.section, c.key, "?"), "v");
        EXPECT_EQ(ini.keys(c.section), std::vector<std::string>{c.key});
    }
    // What was refused never reached the file: "keep" and the accepted sections only.
    EXPECT_EQ(ini.readString("keep", "x", "?"), "1");
    EXPECT_EQ(lines::split(files.get(kPath)).size(), 8u);
}

// Records sections are named after free unit lines, which may hold "]".
TEST_F(ProfileTest, SectionNamesMayHoldClosingBrackets) {
    const std::string name = "S11" + sjis::fromUtf8("[基本] 移項]");
    ASSERT_TRUE(ini.writeString(name, "1", "a"));
    ASSERT_TRUE(ini.writeString("S12", "1", "b"));
    ASSERT_TRUE(ini.writeString(name, "2", "c"));
    EXPECT_EQ(ini.keys(name), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(ini.readString(name, "2", "?"), "c");
    EXPECT_EQ(ini.readString("S11", "1", "?"), "?");
    EXPECT_TRUE(ini.eraseSection(name));
    EXPECT_TRUE(ini.keys(name).empty());
    EXPECT_EQ(ini.readString("S12", "1", "?"), "b");
}

TEST_F(ProfileTest, MalformedLinesAreSkippedAndKeptOnRewrite) {
    // Sections whose names end in a "]" trail byte ("表" is 0x95 0x5C, "ソ" 0x83 0x5C,
    // "\x81\x5d" is a character whose second byte is "]").
    std::string bad = "garbage without equals\r\n]\r\n[unclosed\r\n=novalue\r\n"
                      "\xff\xfe\x81\r\n[\x81\x5d]\r\nk=\x81\r\n[s]extra\r\n"
                      " a = 1 \r\nb\r\n[\r\n]c=2\r\n\x95";
    files.put(kPath, bad);
    EXPECT_EQ(ini.readString("s", "a", "?"), "1");
    EXPECT_EQ(ini.readString("s", "]c", "?"), "2");
    EXPECT_EQ(ini.readString("\x81\x5d", "k", "?"), "\x81");
    EXPECT_EQ(ini.keys("s"), (std::vector<std::string>{"a", "]c"}));
    EXPECT_EQ(ini.readString("unclosed", "k", "?"), "?");
    ASSERT_TRUE(ini.writeString("s", "a", "9"));
    std::string after = files.get(kPath);
    EXPECT_NE(after.find("garbage without equals\r\n]\r\n[unclosed\r\n"), std::string::npos);
    EXPECT_NE(after.find("\r\na=9\r\n"), std::string::npos);
    EXPECT_EQ(ini.readString("s", "a", "?"), "9");
}

TEST_F(ProfileTest, AnyBytesNeverBreakTheReader) {
    std::string noise;
    unsigned seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245u + 12345u;
        const char pick[] = {'[', ']', '=', '\r', '\n', ' ', '\x81', '\x5c', '\xfc', 'a'};
        noise += (seed >> 16) % 3 == 0 ? static_cast<char>(seed >> 24) : pick[(seed >> 16) % 10];
    }
    files.put(kPath, noise);
    for (const auto& k : ini.keys("a"))
        ini.readString("a", k, "");
    EXPECT_TRUE(ini.writeString("a", "k", "v"));
    EXPECT_EQ(ini.readString("a", "k", ""), "v");
}

} // namespace

namespace {

TEST_F(ProfileTest, ValuesReadBackExactlyAsWritten) {
    const char* values[] = {"abc ",   " abc",   "  ",       "\"quoted\"", "'single'",
                            "a\"b",   "\"open", "close'",   "\t tab",     "末尾　 ",
                            "plain",  "",       "x=y;z",    "[not a section]"};
    for (const char* v : values) {
        ASSERT_TRUE(ini.writeString("s", "k", J(v))) << v;
        EXPECT_EQ(sjis::toUtf8(ini.readString("s", "k", "?")), v) << v;
        EXPECT_EQ(sjis::toUtf8(ini.value("s", "k").text), v) << v;
    }
}

TEST_F(ProfileTest, OneMatchingPairOfQuotesIsStrippedFromFilesMadeBefore) {
    putUtf8("[s]\r\na=\"x\"\r\nb='y'\r\nc=\"z'\r\nd=  \"  w \"  \r\ne=\"\"\"\"\r\nf=\"\r\n");
    struct Case {
        const char* key;
        const char* expected;
    } cases[] = {{"a", "x"}, {"b", "y"}, {"c", "\"z'"}, {"d", "  w "}, {"e", "\"\""}, {"f", "\""}};
    for (const auto& c : cases)
        EXPECT_EQ(ini.readString("s", c.key, "?"), c.expected) << c.key;
}

TEST_F(ProfileTest, ValueTellsAMissingFileFromOneThatCannotBeRead) {
    EXPECT_EQ(ini.value("password", "pw").status, ReadStatus::Missing);
    putUtf8("[password]\r\npw=x\r\n");
    ProfileValue v = ini.value("password", "pw");
    EXPECT_EQ(v.status, ReadStatus::Ok);
    EXPECT_TRUE(v.found);
    EXPECT_FALSE(ini.value("password", "other").found);
    files.unreadable.insert(sjis::asciiLower(kPath));
    EXPECT_EQ(ini.value("password", "pw").status, ReadStatus::Error);
    EXPECT_EQ(ini.readAll().status, ReadStatus::Error);
}

TEST_F(ProfileTest, ReadAllSeesWhatSingleReadsSee) {
    putUtf8("[a]\r\nx=1\r\nX=2\r\ny = \"3 \"\r\n[b]\r\nnoequals\r\nz=4\r\n[A]\r\nw=5\r\n");
    ProfileContents all = ini.readAll();
    ASSERT_EQ(all.status, ReadStatus::Ok);
    ASSERT_EQ(all.sections.size(), 2u);
    for (const ProfileSection& s : all.sections) {
        std::vector<std::string> keys;
        for (const ProfileEntry& e : s.entries) {
            keys.push_back(e.key);
            EXPECT_EQ(e.value, ini.readString(s.name, e.key, "?")) << s.name << "/" << e.key;
        }
        EXPECT_EQ(keys, ini.keys(s.name)) << s.name;
    }
}

TEST_F(ProfileTest, AddEntryTakesTheChosenKeyInOneWrite) {
    putUtf8("[r]\r\n1=a\r\n3=c\r\n\r\n[other]\r\nq=1\r\n");
    std::vector<std::string> seen;
    WriteResult added = ini.addEntry(
        "R",
        [&](const std::vector<std::string>& keys) {
            seen = keys;
            return std::string("2");
        },
        " b ");
    ASSERT_TRUE(added);
    EXPECT_EQ(seen, (std::vector<std::string>{"1", "3"}));
    EXPECT_EQ(fileUtf8(), "[r]\r\n1=a\r\n3=c\r\n2=\" b \"\r\n\r\n[other]\r\nq=1\r\n");
    // A key already present is never written over.
    const std::string before = files.get(kPath);
    EXPECT_FALSE(ini.addEntry("r", [](const auto&) { return std::string("1"); }, "x"));
    EXPECT_EQ(files.get(kPath), before);
    // A new section goes at the end.
    ASSERT_TRUE(ini.addEntry("new", [](const auto&) { return std::string("1"); }, "n"));
    EXPECT_EQ(ini.readString("new", "1", "?"), "n");
}

} // namespace
