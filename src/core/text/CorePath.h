#pragma once
// Names inside the course: a name that a course file gives relative to a folder (a lesson
// folder of "Main.ind", a graph picture of a unit) must not lead out of that folder.
// Core paths are Shift-JIS; "\" and "/" separate folders, but never as the second byte of
// a double-byte character ("表" is 0x95 0x5C).

#include <string>
#include <string_view>

// name + ":コースのフォルダの外を指しています": a course-relative name that leaves the
// master folder, or a course file reached through a link that leads out of it, is refused
// with this before anything is read or written through it.
std::string OutsideCourseText(const std::string& name);

namespace corepath {

// True when relative stays inside the folder it is relative to: it is not absolute (no
// leading "\" or "/", no drive such as "C:"), holds no control bytes and only whole
// Shift-JIS characters, and no ".." climbs above where it starts ("a\..\b" stays inside,
// "a\..\..\b" leaves). An empty name stays inside.
bool staysInside(std::string_view relative);
// True when name starts at a root of its own: a leading "\" or "/", or a drive ("C:").
bool isAbsolute(std::string_view name);
// Text as the user reads it: every "\" that separates folders shown as "/" (the second
// byte of a double-byte character is left alone). Course files keep their "\"; only what
// is shown goes through this.
std::string withSlashes(std::string_view text);

} // namespace corepath
