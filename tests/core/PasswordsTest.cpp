// Passwords: stored as salted Argon2id hashes; clear ones of older files upgraded.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "learners/Passwords.h"
#include "text/Profile.h"
#include "text/Sjis.h"

namespace {

const std::string kFile = "C:\\course\\Eq1\\taro.ini";

struct PasswordsTest : ::testing::Test {
    MemoryFiles files;
    std::string pw() { return Profile(files, kFile).readString("password", "pw", "?"); }
    PasswordPrompt prompt() {
        PasswordPrompt p{"taro", kFile, "?"};
        EXPECT_TRUE(ReadStoredPassword(files, kFile, p.stored));
        return p;
    }
    PasswordAnswer ok(const char* password, const char* confirmation = "") {
        return ConfirmPassword(files, prompt(), TypedFromUtf8(password),
                               TypedFromUtf8(confirmation));
    }
};

TEST_F(PasswordsTest, HashesAreSaltedAndVerifyOnlyTheirPassword) {
    const std::string a = HashPassword("secret");
    const std::string b = HashPassword("secret");
    EXPECT_TRUE(IsPasswordHash(a));
    EXPECT_EQ(a.rfind("$argon2id$", 0), 0u);
    EXPECT_NE(a, b); // each has its own salt
    EXPECT_EQ(a.find("secret"), std::string::npos);
    EXPECT_TRUE(PasswordMatches(a, "secret"));
    EXPECT_TRUE(PasswordMatches(b, "secret"));
    for (const char* wrong : {"Secret", "secret ", "secre", ""})
        EXPECT_FALSE(PasswordMatches(a, wrong)) << wrong;
    EXPECT_FALSE(PasswordMatches("?", "?"));
    EXPECT_FALSE(PasswordMatches("$argon2id$damaged", "secret"));
}

TEST_F(PasswordsTest, NewPasswordIsStoredAsItsHashAfterTwoEqualEntries) {
    struct Case {
        const char* pw;
        const char* again;
        const char* message;
        bool focusConfirm;
    } refused[] = {
        {"abc", "abc", "４文字以上にしてください", false},
        {"abcd", "abce", "確認のため再入力してください", true},
        {"abcd", "", "確認のため再入力してください", true},
        {"päßwörd😀", "päßwörd😀", "パスワードに使えない文字が含まれています", false},
    };
    for (const Case& c : refused) {
        PasswordAnswer a = ok(c.pw, c.again);
        EXPECT_FALSE(a.accepted) << c.pw;
        EXPECT_EQ(sjis::toUtf8(a.message), c.message) << c.pw;
        EXPECT_EQ(a.focusConfirm, c.focusConfirm) << c.pw;
        EXPECT_FALSE(files.fileExists(kFile)) << c.pw;
    }
    ASSERT_TRUE(ok("ひみつ", "ひみつ").accepted); // 6 bytes
    const std::string stored = pw();
    EXPECT_TRUE(IsPasswordHash(stored));
    EXPECT_EQ(stored.find(J("ひみつ")), std::string::npos);
    EXPECT_TRUE(files.writtenUnlocked.empty());
    // From now on the password is asked for, not set.
    EXPECT_FALSE(prompt().isNew());
    EXPECT_EQ(sjis::toUtf8(ok("ひみつx").message), "パスワードを正しく入力してください");
    EXPECT_TRUE(ok("ひみつ").accepted);
    EXPECT_EQ(pw(), stored);
}

TEST_F(PasswordsTest, ClearPasswordOfAnOlderFileIsAcceptedOnceAndReplacedByItsHash) {
    struct Case {
        const char* file;  // the "pw" line as older versions left it
        const char* typed; // what the learner types
    } cases[] = {
        {"pw=abcd", "abcd"},
        {"pw=abc ", "abc "}, // read back trimmed by older versions: still his password
        {"PW = long pass", "long pass"},
    };
    for (const Case& c : cases) {
        files.putUtf8(kFile, std::string("[password]\n") + c.file + "\n[S11x]\n1=r\n");
        EXPECT_FALSE(ok("wrong!").accepted) << c.file;
        ASSERT_TRUE(ok(c.typed).accepted) << c.file;
        EXPECT_TRUE(IsPasswordHash(pw())) << c.file;
        EXPECT_TRUE(PasswordMatches(pw(), c.typed)) << c.file;
        EXPECT_EQ(Profile(files, kFile).readString("S11x", "1", "?"), "r");
    }
}

TEST_F(PasswordsTest, AFileThatCannotBeReadOrWrittenRefusesTheLogOn) {
    files.putUtf8(kFile, "[password]\npw=abcd\n");
    files.unreadable.insert(sjis::asciiLower(kFile));
    std::string stored;
    Report read = ReadStoredPassword(files, kFile, stored);
    EXPECT_FALSE(read);
    EXPECT_EQ(sjis::toUtf8(read.message), "ファイル C:\\course\\Eq1\\taro.ini が読み込めません");
    files.unreadable.clear();

    // The upgrade of a clear password, and a new password, that cannot be written.
    const std::string before = files.get(kFile);
    files.failWrites = true;
    PasswordAnswer a = ok("abcd");
    EXPECT_FALSE(a.accepted);
    EXPECT_NE(sjis::toUtf8(a.message).find("に書き込めません: No space left on device"),
              std::string::npos);
    EXPECT_EQ(files.get(kFile), before);
    files.failWrites = false;
    files.failLocks = true;
    EXPECT_FALSE(ok("abcd").accepted);
    EXPECT_EQ(files.get(kFile), before);
    files.remove(kFile);
    EXPECT_FALSE(ok("efgh", "efgh").accepted);
    EXPECT_FALSE(files.fileExists(kFile));
}

// Hashes a pupil may plant: none is verified (a cost of 1 GB or 100000 passes would stall
// the log-on); each is said as a damaged entry with what the teacher can do.
TEST_F(PasswordsTest, PlantedOrDamagedEntriesAreNeverVerifiedAndAreSaidAsDamaged) {
    const std::string own = HashPassword("abcd");
    const std::string tail = own.substr(own.find("$", own.find("p=")));
    const std::string damaged[] = {
        "$argon2id$v=19$m=1048576,t=3,p=1" + tail,
        "$argon2id$v=19$m=65536,t=100000,p=1" + tail,
        "$argon2id$v=19$m=65536,t=2,p=4" + tail,
        "$argon2id$v=19$m=65536,t=2,p=1",
        "$argon2id$v=16$m=65536,t=2,p=1" + tail,
        "$argon2i$v=19$m=65536,t=2,p=1" + tail,
        "$argon2id$v=19$m=65536,t=2,p=1$short$hash",
        "$argon2id$v=19$m=99999999999,t=2,p=1" + tail,
        own + "x",
        "",
    };
    for (const std::string& entry : damaged) {
        files.putUtf8(kFile, "[password]\npw=" + entry + "\n");
        EXPECT_TRUE(IsDamagedPassword(entry)) << entry;
        EXPECT_FALSE(PasswordMatches(entry, "abcd")) << entry;
        const PasswordAnswer a = ok("abcd");
        EXPECT_FALSE(a.accepted) << entry;
        const std::string said = sjis::toUtf8(a.message);
        EXPECT_NE(said.find("パスワードの記録が壊れているため、ログオンできません。"),
                  std::string::npos)
            << entry;
        EXPECT_NE(said.find("学習者のファイル C:\\course\\Eq1\\taro.ini の [password] の pw= の行を消す"),
                  std::string::npos)
            << said;
        EXPECT_EQ(pw(), entry) << "nothing written";
    }
    // The program's own hashes, and costs within the bound, are verified as before.
    EXPECT_FALSE(IsDamagedPassword(own));
    EXPECT_TRUE(PasswordMatches(own, "abcd"));
    std::string threePasses = own;
    threePasses.replace(threePasses.find("t=2"), 3, "t=3");
    EXPECT_FALSE(IsDamagedPassword(threePasses));
    files.putUtf8(kFile, "[password]\npw=" + threePasses + "\n");
    EXPECT_EQ(sjis::toUtf8(ok("abcd").message), "パスワードを正しく入力してください");
    // Clear passwords of older files are no hashes and stay usable.
    EXPECT_FALSE(IsDamagedPassword("abcd"));
    EXPECT_FALSE(IsDamagedPassword("$secret"));
}

// Pupil A opens the dialog for a name with no password; pupil B sets one first. A's OK
// must not replace it: the name stays B's, and A is asked for B's password.
TEST_F(PasswordsTest, AFirstPasswordSetMeanwhileIsNeverOverwritten) {
    const PasswordPrompt openedByA = prompt();
    ASSERT_TRUE(openedByA.isNew());
    ASSERT_TRUE(ConfirmPassword(files, prompt(), TypedFromUtf8("bbbb"), TypedFromUtf8("bbbb"))
                    .accepted);
    const std::string bs = pw();

    const PasswordAnswer a =
        ConfirmPassword(files, openedByA, TypedFromUtf8("aaaa"), TypedFromUtf8("aaaa"));
    EXPECT_FALSE(a.accepted);
    EXPECT_EQ(sjis::toUtf8(a.message),
              "この名前のパスワードは、たった今ほかの画面で設定されました。\r\n"
              "自分の名前であれば、そのパスワードを入力してください。");
    ASSERT_TRUE(a.storedNow.has_value());
    EXPECT_EQ(*a.storedNow, bs);
    EXPECT_EQ(pw(), bs);
    EXPECT_TRUE(PasswordMatches(pw(), "bbbb"));
    EXPECT_FALSE(PasswordMatches(pw(), "aaaa"));
    EXPECT_TRUE(files.writtenUnlocked.empty());

    // The dialog now asks for the password that is set.
    PasswordPrompt asked = openedByA;
    asked.stored = *a.storedNow;
    EXPECT_EQ(sjis::toUtf8(PasswordRequest(asked)), "パスワードを入力してください");
    EXPECT_FALSE(ConfirmPassword(files, asked, TypedFromUtf8("aaaa"), {}).accepted);
    EXPECT_TRUE(ConfirmPassword(files, asked, TypedFromUtf8("bbbb"), {}).accepted);
}

} // namespace
