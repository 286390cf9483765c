// One input is a settings file of a learner followed by a list of operations on it. Every
// value written reads back as written (one line, blanks at its ends kept, at most 1023 bytes
// cut at a character), keys are listed once, and a refused or failed write leaves the file
// whole.
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

#include "CourseFixture.h"
#include "FuzzCheck.h"
#include "text/Profile.h"

namespace {

// What a read returns after value was written: line breaks become blanks and at most
// MaxValueBytes remain, cut at a character. Blanks and quotes at the value's ends are kept:
// the writer quotes such a value so that the read gives it back whole.
std::string expectedValue(std::string value) {
    for (char& c : value)
        if (c == '\r' || c == '\n') c = ' ';
    std::size_t end = 0;
    while (end < value.size()) {
        const std::size_t len = sjis::charLen(value, end);
        if (end + len > Profile::MaxValueBytes) break;
        end += len;
    }
    return value.substr(0, end);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    CourseFixture f;
    const std::string path = "C:\\course\\Eq1\\taro.ini";
    f.fp.files.put(path, in.ConsumeRandomLengthString(2000));
    Profile ini(f.fp.files, path);
    for (int step = 0; step < 8 && in.remaining_bytes() > 0; ++step) {
        const int op = in.ConsumeIntegralInRange(0, 3);
        const std::string section = in.ConsumeRandomLengthString(24);
        const std::string key = in.ConsumeRandomLengthString(16);
        switch (op) {
        case 0: {
            const std::string value = in.ConsumeRandomLengthString(1200);
            const std::string before = f.fp.files.get(path);
            f.fp.files.failWrites = in.ConsumeBool() && in.ConsumeBool();
            const bool written = ini.writeString(section, key, value).ok;
            const bool failing = f.fp.files.failWrites;
            f.fp.files.failWrites = false;
            if (!written) {
                FUZZ_CHECK(f.fp.files.get(path) == before);
                break;
            }
            FUZZ_CHECK(!failing);
            FUZZ_CHECK(ini.readString(section, key, "\x01?") == expectedValue(value));
            break;
        }
        case 1: {
            const auto keys = ini.keys(section);
            for (std::size_t i = 0; i < keys.size(); ++i)
                for (std::size_t j = i + 1; j < keys.size(); ++j)
                    FUZZ_CHECK(!sjis::equalsIgnoreAsciiCase(keys[i], keys[j]));
            break;
        }
        case 2:
            if (ini.eraseSection(section).ok) FUZZ_CHECK(ini.keys(section).empty());
            break;
        default:
            ini.readString(section, key, "");
            break;
        }
    }
    return 0;
}
