#pragma once
// Learner names. A name becomes the name of the learner's files ("<name>.ini" in every
// lesson folder), so only a name that a file name can hold, on this system and on the
// shared folders of other systems, is accepted.

#include <string>
#include <vector>

#include "text/Typed.h"

// The shared learner "共通": never asked for a password.
const std::string& SharedLearner();
// "公開", the name a new roster starts with.
const std::string& PublicLearner();

// The longest name in Shift-JIS bytes (32 full-width characters).
constexpr std::size_t MaxLearnerNameBytes = 64;

// The name as it is used: half- and full-width blanks and control characters cut from
// both ends.
std::string TidyLearnerName(const std::string& name);

// Empty when the tidied name can name a learner; otherwise the message that says why it
// cannot: empty, a character Shift-JIS cannot hold, a control character, "\" or "/",
// "." or "..", a character a file name cannot hold (: * ? " < > |), a device name of
// the other systems (CON, NUL, COM1 ...), or too long.
std::string LearnerNameProblem(const TypedText& name);
std::string LearnerNameProblem(const std::string& name);

// The name with case and width folded: full-width letters, digits and signs as half-width
// ones, half-width katakana as full-width ones, Latin, Greek and Cyrillic letters in lower
// case. Two names with the same key are one learner to a file system that ignores case,
// and to the eye.
std::u32string LearnerNameKey(const std::string& name);
// The first of names that differs from name only in case or width (not name itself);
// empty when none does.
std::string NameLike(const std::vector<std::string>& names, const std::string& name);
// The message that refuses name because it differs from the learner like only in case or
// width.
std::string NameLikeProblem(const std::string& like);

// The learner LogOnName names: the tidied name, or the shared learner when it breaks the
// rules above.
std::string UsableLogOnName(const std::string& stored);
