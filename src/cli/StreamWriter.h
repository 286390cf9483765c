#pragma once
// Text for standard output: every write and the final flush are checked, so that a command
// whose output was lost (a full disk, a closed pipe) never ends as if it had succeeded.

#include <cstdio>
#include <string>
#include <string_view>

class StreamWriter {
  public:
    explicit StreamWriter(std::FILE* stream) : stream_(stream) {}

    void write(std::string_view bytes);
    // One line of Shift-JIS text as UTF-8 (TerminalText: line breaks inside it become
    // blanks, control characters are shown escaped).
    void sjisLine(const std::string& sjisText);
    // Flushes. True when every byte reached the stream; otherwise says why on standard
    // error, as "velmix: what: reason".
    bool finish(const char* what = "standard output");
    bool failed() const { return error_ != 0; }

  private:
    std::FILE* stream_;
    int error_ = 0; // errno of the first failure
};
