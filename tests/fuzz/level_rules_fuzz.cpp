// Random short INDI, FAM and SOUR records (levels, the tags that individuals and
// families keep or refuse, pointers, blank lines) loaded by the library and
// compared, member by member, with the model of the loading rules in
// tests/support/level_rules. Any difference aborts, so that the fuzzer
// keeps the input. The input is read two bytes a line: the first picks the
// level, the second the tag, and its top bits make a blank line. The top bit
// of the first byte loads the file on two threads.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/gedcom_loader.h"
#include "fuzz/fuzz_host.h"
#include "support/level_rules.h"

namespace {

using kinfold::test::GeneratedKind;
using kinfold::test::GeneratedLine;
using kinfold::test::GeneratedRecord;

// Levels as written: the usual ones, a jump, and numbers the reader cuts
// to 16 bits (65537 reads as 1, 32768 and 99999 as negative levels).
constexpr long kLevels[] = {1, 2, 1, 3, 0, -1, 2, 4, 5, 32768, 65535, 65537, 99999, 1, 2, 3};
constexpr size_t kMostRecords = 4;
constexpr size_t kMostLines = 12;

std::vector<GeneratedRecord> RecordsOf(const uint8_t* data, size_t size) {
    std::vector<GeneratedRecord> records;
    size_t at = 0;
    while (at < size && records.size() < kMostRecords) {
        const uint8_t head = data[at++];
        GeneratedRecord record{static_cast<GeneratedKind>(head % 3), {}};
        const size_t lines = (head / 3) % (kMostLines + 1);
        for (size_t i = 0; i < lines && at + 1 < size; ++i, at += 2) {
            const uint8_t level = data[at];
            const uint8_t tag = data[at + 1];
            GeneratedLine line;
            line.blank = (tag & 0xC0) == 0xC0;
            line.level = kLevels[level % (sizeof(kLevels) / sizeof(kLevels[0]))];
            line.tag = kinfold::test::kLevelRuleTags[tag % kinfold::test::kLevelRuleTags.size()];
            record.lines.push_back(line);
        }
        records.push_back(record);
    }
    return records;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    kinfold::fuzz::Initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<GeneratedRecord> records = RecordsOf(data, size);
    const std::string file = kinfold::test::GeneratedFile(records);
    kinfold::fuzz::WriteInput(file.data(), file.size());
    kinfold::SetTwoThreadsFrom(size > 0 && (data[0] & 0x80) ? 0 : kinfold::kTwoThreadBytes);
    IGEDCOMdb* db = kinfold::fuzz::NewDatabase();
    if (!kinfold::fuzz::Load(db, kinfold::fuzz::InputPath())) {
        std::fprintf(stderr, "the generated file did not load:\n%s", file.c_str());
        std::abort();
    }
    const std::string differences = kinfold::test::DifferencesFromRules(db, records);
    db->Release();
    if (!differences.empty()) {
        std::fprintf(stderr, "the library and the loading rules differ:\n%s", differences.c_str());
        std::abort();
    }
    kinfold::fuzz::CheckEverythingReleased();
    return 0;
}
