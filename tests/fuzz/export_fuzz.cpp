// Loads the input as a GEDCOM file, writes the copy that hides the living
// and loads that copy with the same options: the copy must load, and every
// individual and family must answer as it did in the file, less what a
// hidden one gives up (tests/support/export_answers; the members read on
// demand are left to the corpus test). Any difference
// aborts, so that the fuzzer keeps the input. The first byte sets the
// reading (tolerant options, decoding), whether undecided people are hidden
// and how many years count as living; the rest is the file.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_host.h"
#include "platform/text.h"
#include "support/export_answers.h"

namespace {

// Above the reading bits of fuzz_host.h.
enum OptionBit : uint8_t {
    kShowUndecided = 0x10,
    kThousandYears = 0x20,
};

IGEDCOMdb* LoadWith(uint8_t options, const std::string& path, bool* loaded) {
    IGEDCOMdb* db = kinfold::fuzz::NewDatabase();
    kinfold::fuzz::SetReading(db, options);
    db->put_DefaultConfidentialValue(options & kShowUndecided ? 0 : 1);
    *loaded = kinfold::fuzz::Load(db, path);
    return db;
}

const std::string& CopyPath() {
    static const std::string path = kinfold::fuzz::InputPath() + ".copy.ged";
    static const bool removedAtExit = std::atexit([] { std::remove(CopyPath().c_str()); }) == 0;
    (void)removedAtExit;
    return path;
}

void Fail(const char* what, const std::string& details) {
    std::fprintf(stderr, "export_fuzz: %s\n%s\n", what, details.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    kinfold::fuzz::Initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const uint8_t options = data[0];
    kinfold::fuzz::WriteInput(data + 1, size - 1);
    bool loaded = false;
    IGEDCOMdb* input = LoadWith(options, kinfold::fuzz::InputPath(), &loaded);
    if (loaded) {
        IGDAssistant* plain = nullptr;
        IGDAssistant2* assistant = nullptr;
        if (FAILED(input->get_Assistant(&plain)) ||
            FAILED(plain->QueryInterface(IID_IGDAssistant2, reinterpret_cast<void**>(&assistant))))
            std::abort();
        plain->Release();
        BSTR path = kinfold::AllocBstr(CopyPath());
        VARIANT years;
        VariantInit(&years);
        years.vt = VT_I4;
        years.lVal = options & kThousandYears ? 1000 : 100;
        VARIANT name;
        VariantInit(&name);
        name.vt = VT_ERROR;
        name.scode = DISP_E_PARAMNOTFOUND;
        VARIANT_BOOL done = VARIANT_FALSE;
        const HRESULT hr = assistant->ExportHidingLiving(path, years, name, &done);
        SysFreeString(path);
        assistant->Release();
        if (hr != S_OK || done != VARIANT_TRUE) Fail("the copy was not written", "");
        bool copyLoaded = false;
        IGEDCOMdb* copy = LoadWith(options, CopyPath(), &copyLoaded);
        if (!copyLoaded) Fail("the copy does not load", "");
        const std::string differences = kinfold::test::ExportDifferences(
            kinfold::test::AnswersForExport(input, false),
            kinfold::test::AnswersForExport(copy, false), "Living");
        if (!differences.empty()) Fail("the copy answers otherwise", differences);
        copy->Release();
    }
    input->Release();
    kinfold::fuzz::CheckEverythingReleased();
    return 0;
}
