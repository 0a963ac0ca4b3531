// Loads the input as a GEDCOM file and reads every member of every record
// through IDispatch, as the corpus walk does. The first byte sets the
// database's options, so that blank objects, both ways of joining
// continuation lines, merged and unmerged citations, case-blind lookups and
// the confidential forms of the members are all reached; one bit also keeps
// every walked record and reads it again after the database is gone. The
// second byte turns on tolerant reading, automatic decoding and loading on
// two threads. Nothing may crash, leak, or stay alive after the host has
// let go.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/fixed_string.h"
#include "fuzz/fuzz_host.h"
#include "platform/text.h"
#include "support/database_walk.h"
#include "support/member_walker.h"

namespace {

using kinfold::test::MemberWalker;
using kinfold::test::WalkDatabase;

// Nearly as deep as the corpus walk, with few elements of each collection
// below a record: a quicker run tries more files.
constexpr MemberWalker::Limits kWalk{6, 4};

enum OptionBit : uint8_t {
    kBlankFlags = 0x07,  // ReturnBlankFlags, as they are
    kNoSpaceInConc = 0x08,
    kNoMerging = 0x10,
    kConfidential = 0x20,
    kCaseBlind = 0x40,
    kReadAfterRelease = 0x80,
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    kinfold::fuzz::Initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const uint8_t options = data[0];
    kinfold::fuzz::WriteInput(data + 2, size - 2);

    IGEDCOMdb* db = kinfold::fuzz::NewDatabase();
    kinfold::fuzz::SetReading(db, data[1]);
    db->put_ReturnBlankFlags(options & kBlankFlags);
    db->put_ConcatenateWithSpace(options & kNoSpaceInConc ? VARIANT_FALSE : VARIANT_TRUE);
    db->put_MergeCitationAndMasterSource(options & kNoMerging ? VARIANT_FALSE : VARIANT_TRUE);
    const int caseBefore = kinfold::SetCompareCase(options & kCaseBlind ? 0 : 1);
    kinfold::fuzz::Load(db, kinfold::fuzz::InputPath());
    // Everyone born in the last thousand years, and those the dates spread to.
    if (options & kConfidential) db->SetConfidentiality(1000);

    {
        MemberWalker walker(kWalk);
        // Records only: a kept collection would keep the database alive.
        if (options & kReadAfterRelease) walker.KeepWalkedObjects(false);
        WalkDatabase(db, walker);
        db->Release();
        // A copy: reading keeps the objects again.
        const std::vector<MemberWalker::KeptObject> kept = walker.Kept();
        for (const MemberWalker::KeptObject& object : kept)
            walker.Read(object.first, *object.second);
    }
    kinfold::SetCompareCase(caseBefore);
    kinfold::fuzz::CheckEverythingReleased();
    return 0;
}
