#pragma once
// Learners' passwords: section "password", key "pw" of the learner file. The value is a
// salted Argon2id hash ("$argon2id$..."), or "?" while no password is set. A clear
// password of files made before is still accepted once and then replaced by its hash.

#include <optional>
#include <string>
#include <string_view>

#include "platform/Files.h"
#include "text/Report.h"
#include "text/Typed.h"

// The value of "pw" while no password is set.
constexpr const char* NoPassword = "?";
// The shortest password, in Shift-JIS bytes.
constexpr std::size_t MinPasswordBytes = 4;

// True for a value that holds a hash rather than a clear password.
bool IsPasswordHash(std::string_view stored);
// True for a "pw" value no typed password can ever match, so that the learner could never
// log on: empty, a hash of another kind or of another form than HashPassword makes, or one
// that asks for more memory or passes than the program's own hashes. Such a hash is never
// verified: the file is written by pupils, and a planted cost could stall the log-on.
bool IsDamagedPassword(std::string_view stored);
// The stored form of password (Shift-JIS bytes): "$argon2id$v=19$m=...,t=...,p=...$salt$hash"
// with a fresh salt. Empty when hashing failed (no memory for it).
std::string HashPassword(std::string_view password);
// Whether typed is the stored password: a hash is verified; a clear password is compared
// as written, and also with typed cut of blanks at its ends, as older versions read such a
// value back trimmed. A damaged value matches nothing and costs nothing.
bool PasswordMatches(std::string_view stored, std::string_view typed);

// What the password dialog works on.
struct PasswordPrompt {
    std::string learner;     // the learner logging on
    std::string learnerFile; // his file in the current lesson
    std::string stored;      // StoredPassword: the value of "pw", NoPassword when none
    bool isNew() const { return stored == NoPassword; }
};

// StoredPassword of the learner file: the value of "pw", NoPassword when the file or the
// key is missing. A file that cannot be read refuses the log-on with its message.
Report ReadStoredPassword(Files& files, const std::string& learnerFile, std::string& stored);

// What the learner and the teacher are told when the password entry of learnerFile is
// damaged: that it is, and that the teacher clears it for a new password to be set.
std::string DamagedPasswordText(const std::string& learnerFile);

// lblMess: "ようこそ" + learner + "さん".
std::string PasswordGreeting(const PasswordPrompt& prompt);
// lblPW: "新規パスワードを設定してください" for a new password, else
// "パスワードを入力してください".
std::string PasswordRequest(const PasswordPrompt& prompt);

struct PasswordAnswer {
    bool accepted = false;
    std::string message;       // for the user when not accepted
    bool focusConfirm = false; // the confirmation field takes the focus (else the password)
    // Set when the file's password changed since the dialog opened (somebody set it while
    // this learner was choosing his): the value now stored, which the dialog asks for.
    std::optional<std::string> storedNow;
};
// The password dialog's OK. An existing password must match; a new one must be typed the
// same twice. A new password, or a clear one that matched, is stored as its hash under the
// file's lock, and only if the file still holds what the dialog was opened with: a
// password set meanwhile is never overwritten (the answer refuses and gives storedNow). A
// failed write refuses the log-on with the file's message. Characters Shift-JIS cannot
// hold are refused. Passwords shorter than four bytes are refused; a damaged entry is
// said as such.
PasswordAnswer ConfirmPassword(Files& files, const PasswordPrompt& prompt,
                               const TypedText& password, const TypedText& confirmation);
