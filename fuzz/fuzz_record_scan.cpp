// One input is a learner file as a pupil may leave it. The scanner the records CSV and the
// class grid read it with hands over the same sections, keys and values, in the same order,
// as the INI reader does; every value read as a record line gives sane parts; and the CSV of
// the file is the same streamed in chunks as made whole.
#include <cstdint>
#include <string>

#include "CourseFixture.h"
#include "FuzzCheck.h"
#include "learners/RecordLine.h"
#include "learners/RecordScan.h"
#include "learners/Records.h"
#include "learners/RecordsCsv.h"
#include "text/Profile.h"

namespace {

struct Chunks : RecordsCsvSink {
    std::string csv;
    bool write(std::string_view bytes) override {
        csv += bytes;
        return true;
    }
    void problem(const std::string&) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CourseFixture f;
    const std::string path = "C:\\course\\Eq1\\taro.ini";
    f.fp.files.put(path, bytes);

    std::string scanned, read;
    ScanLearnerFile(bytes, [&](std::string_view name, const std::vector<ScannedRecord>& records) {
        scanned += "[" + std::string(name) + "]\n";
        for (const ScannedRecord& r : records) {
            scanned += std::string(r.key) + "=" + std::string(r.value) + "\n";
            FUZZ_CHECK(r.value.size() <= Profile::MaxValueBytes);
            RecordView v;
            if (ReadRecordLine(r.value, v)) {
                FUZZ_CHECK(v.score >= 0 && v.score <= 100 && v.correct <= v.total);
                FUZZ_CHECK(v.tries.size() < r.value.size());
            }
        }
    });
    for (const ProfileSection& s : Profile(f.fp.files, path).readAll().sections) {
        read += "[" + s.name + "]\n";
        for (const ProfileEntry* e : OrderedEntries(s))
            read += e->key + "=" + e->value + "\n";
    }
    FUZZ_CHECK(scanned == read);

    const std::vector<LearnerSource> sources{{"taro", 1, path}};
    Chunks chunks;
    StreamRecordsCsv(f.fp.files, f.p.course, sources, chunks);
    FUZZ_CHECK(chunks.csv == RecordsCsv(f.fp.files, f.p.course, sources).csv);
    return 0;
}
