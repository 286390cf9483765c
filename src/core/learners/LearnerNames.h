#pragma once
// Learner names. A name becomes the name of the learner's files ("<name>.ini" in every
// lesson folder), so only a name that a file name can hold, on this system and on the
// shared folders of other systems, is accepted.

#include <string>

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

// The learner LogOnName names: the tidied name, or the shared learner when it breaks the
// rules above.
std::string UsableLogOnName(const std::string& stored);
