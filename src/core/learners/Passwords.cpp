#include "learners/Passwords.h"

#include <sodium.h>

#include "text/CorePath.h"
#include "text/FileMessages.h"
#include "text/Profile.h"
#include "text/Sjis.h"

namespace {

constexpr std::string_view HashPrefix = "$argon2id$";

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

PasswordAnswer refuse(const char* utf8, bool focusConfirm = false) {
    return {false, J(utf8), focusConfirm, std::nullopt};
}

PasswordAnswer accepted() {
    return {true, {}, false, std::nullopt};
}

// Reads a decimal parameter of at most 9 digits at pos; -1 when there is none.
long parameter(std::string_view s, std::size_t& pos) {
    long n = 0;
    const std::size_t start = pos;
    while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9' && pos - start < 9)
        n = n * 10 + (s[pos++] - '0');
    if (pos == start || (pos < s.size() && s[pos] >= '0' && s[pos] <= '9')) return -1;
    return n;
}

bool takes(std::string_view s, std::size_t& pos, std::string_view text) {
    if (s.substr(pos, text.size()) != text) return false;
    pos += text.size();
    return true;
}

// Exactly length characters of the unpadded Base64 alphabet at pos, then end or "$".
bool base64Field(std::string_view s, std::size_t& pos, std::size_t length) {
    std::size_t n = 0;
    for (; pos < s.size() && s[pos] != '$'; ++pos, ++n) {
        const char c = s[pos];
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                        (c >= '0' && c <= '9') || c == '+' || c == '/';
        if (!ok) return false;
    }
    return n == length;
}

// The program's own hashes: "$argon2id$v=19$m=<KiB>,t=<passes>,p=1$<salt>$<hash>" with a
// 16-byte salt and a 32-byte hash, costing no more than MaxHashMemoryKiB and
// MaxHashPasses.
constexpr long MaxHashMemoryKiB = crypto_pwhash_MEMLIMIT_INTERACTIVE / 1024;
constexpr long MaxHashPasses = 4;
constexpr std::size_t SaltChars = 22; // 16 bytes in Base64 without padding
constexpr std::size_t HashChars = 43; // 32 bytes

bool isOwnHash(std::string_view s) {
    std::size_t pos = 0;
    if (!takes(s, pos, "$argon2id$v=19$m=")) return false;
    const long memory = parameter(s, pos);
    if (!takes(s, pos, ",t=")) return false;
    const long passes = parameter(s, pos);
    if (!takes(s, pos, ",p=")) return false;
    const long lanes = parameter(s, pos);
    if (memory < 8 || memory > MaxHashMemoryKiB || passes < 1 || passes > MaxHashPasses ||
        lanes != 1)
        return false;
    if (!takes(s, pos, "$") || !base64Field(s, pos, SaltChars)) return false;
    if (!takes(s, pos, "$") || !base64Field(s, pos, HashChars)) return false;
    return pos == s.size();
}

// Stores hash as "pw" under the file's lock, only while the file still holds expected.
// When it holds another value now, nothing is written and storedNow gives it.
struct StoreOutcome {
    Report report;
    std::optional<std::string> storedNow;
};
StoreOutcome storeIfUnchanged(Files& files, const std::string& learnerFile,
                              const std::string& expected, const std::string& hash) {
    if (hash.empty()) return {Report::failed(NotWritableText(learnerFile, WriteResult::failed())), {}};
    LockResult lock = files.lock(learnerFile);
    if (!lock)
        return {Report::failed(NotWritableText(learnerFile, WriteResult::failed(lock.reason))),
                {}};
    std::string now;
    if (Report read = ReadStoredPassword(files, learnerFile, now); !read) return {read, {}};
    if (now != expected) return {{}, now};
    Profile file(files, learnerFile);
    return {file.writeString("password", "pw", hash), {}};
}

} // namespace

bool IsPasswordHash(std::string_view stored) {
    return stored.starts_with(HashPrefix);
}

std::string HashPassword(std::string_view password) {
    if (sodium_init() < 0) return {};
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        return {};
    return out;
}

bool IsDamagedPassword(std::string_view stored) {
    if (stored.empty()) return true;
    // Any Argon2 hash, or a clear password that looks like one: only our own form counts.
    if (stored.starts_with("$argon2")) return !isOwnHash(stored);
    return false;
}

bool PasswordMatches(std::string_view stored, std::string_view typed) {
    if (stored == NoPassword || IsDamagedPassword(stored)) return false;
    if (IsPasswordHash(stored)) {
        if (sodium_init() < 0) return false;
        const std::string hash(stored); // verification needs it ended by a zero byte
        return crypto_pwhash_str_verify(hash.c_str(), typed.data(), typed.size()) == 0;
    }
    return typed == stored || trimBlanks(typed) == stored;
}

Report ReadStoredPassword(Files& files, const std::string& learnerFile, std::string& stored) {
    stored = NoPassword;
    if (learnerFile.empty()) return Report::failed(J("学習者のファイルがありません"));
    Profile file(files, learnerFile);
    const ProfileValue pw = file.value("password", "pw");
    switch (pw.status) {
    case ReadStatus::Ok:
        if (pw.found) stored = pw.text;
        return {};
    case ReadStatus::Missing:
        return {};
    case ReadStatus::Outside:
        return Report::failed(OutsideCourseText(learnerFile));
    case ReadStatus::Error:
        break;
    }
    return Report::failed(ReadErrorText(learnerFile));
}

std::string PasswordGreeting(const PasswordPrompt& prompt) {
    return J("ようこそ") + prompt.learner + J("さん");
}

std::string PasswordRequest(const PasswordPrompt& prompt) {
    return prompt.isNew() ? J("新規パスワードを設定してください")
                          : J("パスワードを入力してください");
}

std::string DamagedPasswordText(const std::string& learnerFile) {
    return J("パスワードの記録が壊れているため、ログオンできません。\r\n"
             "先生に伝えてください。\r\n"
             "（先生へ：学習者のファイル ") +
           learnerFile +
           J(" の [password] の pw= の行を消すと、次のログオンで新しいパスワードを設定できます。"
             "練習の記録はそのまま残ります。）");
}

PasswordAnswer ConfirmPassword(Files& files, const PasswordPrompt& prompt,
                               const TypedText& password, const TypedText& confirmation) {
    if (!prompt.isNew() && IsDamagedPassword(prompt.stored))
        return {false, DamagedPasswordText(prompt.learnerFile), false, std::nullopt};
    if (password.text.size() < MinPasswordBytes) return refuse("４文字以上にしてください");
    if (!password.exact) return refuse("パスワードに使えない文字が含まれています");
    if (!prompt.isNew()) {
        if (!PasswordMatches(prompt.stored, password.text))
            return refuse("パスワードを正しく入力してください");
        if (IsPasswordHash(prompt.stored)) return accepted();
        // A clear password of an older file: from now on only its hash is kept.
        const StoreOutcome stored = storeIfUnchanged(
            files, prompt.learnerFile, prompt.stored, HashPassword(password.text));
        if (!stored.report) return {false, stored.report.message, false, std::nullopt};
        // Changed meanwhile: the value now stored decides.
        if (stored.storedNow && !PasswordMatches(*stored.storedNow, password.text)) {
            PasswordAnswer a = refuse("パスワードを正しく入力してください");
            a.storedNow = stored.storedNow;
            return a;
        }
        return accepted();
    }
    if (!confirmation.exact || confirmation.text != password.text)
        return refuse("確認のため再入力してください", true);
    const StoreOutcome stored =
        storeIfUnchanged(files, prompt.learnerFile, NoPassword, HashPassword(password.text));
    if (!stored.report) return {false, stored.report.message, false, std::nullopt};
    if (stored.storedNow) {
        // Somebody set this learner's password while the dialog was open: it stays his.
        PasswordAnswer a =
            refuse("この名前のパスワードは、たった今ほかの画面で設定されました。\r\n"
                   "自分の名前であれば、そのパスワードを入力してください。");
        a.storedNow = stored.storedNow;
        return a;
    }
    return accepted();
}
