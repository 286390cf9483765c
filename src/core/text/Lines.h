#pragma once
// Line lists: text files are read whole into a list of lines and written whole.

#include <string>
#include <string_view>
#include <vector>

using Lines = std::vector<std::string>;
// Lines as views into text held elsewhere (a file's bytes, or a Lines that outlives them).
using LineViews = std::vector<std::string_view>;

namespace lines {

// CR LF, a lone CR and a lone LF each end a line. A final line end does not start
// an empty last line; an empty text gives no lines.
Lines split(std::string_view bytes);
// The same cuts as views into bytes.
LineViews splitViews(std::string_view bytes);
// The same into out (cleared first), reusing its room from an earlier file.
void splitViews(std::string_view bytes, LineViews& out);
// Views of every line of list.
LineViews views(const Lines& list);
// Every line followed by CR LF.
std::string join(const Lines& list);

} // namespace lines
