#pragma once
// Text from course files as a terminal shows it: one line of UTF-8 in which nothing
// can act on the terminal. Line breaks become blanks; every other control character (the
// C0 set and DEL; code page 932 has no C1 controls) is shown escaped as "\x1b", so an
// escape sequence in a file is printed as text instead of retitling or recolouring the
// terminal.

#include <string>
#include <string_view>

std::string TerminalText(std::string_view sjisText);
