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
    return {false, J(utf8), focusConfirm};
}

// Stores the hash of password as "pw" under the file's lock.
Report storePassword(Files& files, const std::string& learnerFile, std::string_view password) {
    const std::string hash = HashPassword(password);
    if (hash.empty()) return Report::failed(NotWritableText(learnerFile, WriteResult::failed()));
    LockResult lock = files.lock(learnerFile);
    if (!lock)
        return Report::failed(NotWritableText(learnerFile, WriteResult::failed(lock.reason)));
    Profile file(files, learnerFile);
    return file.writeString("password", "pw", hash);
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

bool PasswordMatches(std::string_view stored, std::string_view typed) {
    if (stored == NoPassword) return false;
    if (IsPasswordHash(stored)) {
        if (sodium_init() < 0) return false;
        const std::string hash(stored); // verification needs it ended by a zero byte
        return crypto_pwhash_str_verify(hash.c_str(), typed.data(), typed.size()) == 0;
    }
    return typed == stored || (!stored.empty() && trimBlanks(typed) == stored);
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

PasswordAnswer ConfirmPassword(Files& files, const PasswordPrompt& prompt,
                               const TypedText& password, const TypedText& confirmation) {
    if (password.text.size() < MinPasswordBytes) return refuse("４文字以上にしてください");
    if (!password.exact) return refuse("パスワードに使えない文字が含まれています");
    if (!prompt.isNew()) {
        if (!PasswordMatches(prompt.stored, password.text))
            return refuse("パスワードを正しく入力してください");
        if (IsPasswordHash(prompt.stored)) return {true, {}, false};
        // A clear password of an older file: from now on only its hash is kept.
        Report stored = storePassword(files, prompt.learnerFile, password.text);
        if (!stored) return {false, stored.message, false};
        return {true, {}, false};
    }
    if (!confirmation.exact || confirmation.text != password.text)
        return refuse("確認のため再入力してください", true);
    Report stored = storePassword(files, prompt.learnerFile, password.text);
    if (!stored) return {false, stored.message, false};
    return {true, {}, false};
}
