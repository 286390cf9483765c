#include "cli/StreamWriter.h"

#include <cerrno>
#include <cstring>

#include "text/TerminalText.h"

void StreamWriter::write(std::string_view bytes) {
    if (error_ != 0 || bytes.empty()) return;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream_) != bytes.size())
        error_ = errno != 0 ? errno : EIO;
}

void StreamWriter::sjisLine(const std::string& sjisText) {
    write(TerminalText(sjisText) + '\n');
}

bool StreamWriter::finish(const char* what) {
    if (error_ == 0) {
        errno = 0;
        if (std::fflush(stream_) != 0 || std::ferror(stream_)) error_ = errno != 0 ? errno : EIO;
    }
    if (error_ == 0) return true;
    std::fprintf(stderr, "velmix: %s: %s\n", what, std::strerror(error_));
    return false;
}
