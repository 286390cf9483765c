#pragma once
// Font faces named by course files and settings ("ＭＳ 明朝", "Bookman Old Style") mapped to
// the fonts installed here.

#include <QString>
#include <string_view>

// Registers the face substitutions once (later calls do nothing): the Windows Japanese faces
// go to the IPA fonts, "Bookman Old Style" to URW Bookman.
void registerFontSubstitutions();

// The Qt family for a Shift-JIS face name: the installed family a Windows face stands for
// ("ＭＳ 明朝" gives IPAMincho), other names as they are; an empty name gives the Mincho face.
QString fontFamilyFor(std::string_view sjisFace);
