// kinfold export: a copy of the file that is safe to share, written by the
// library's ExportHidingLiving to --output or, through a temporary file, to
// standard output. One line on standard error says how many were hidden.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "commands.h"
#include "temporary_name.h"

namespace kinfold::cli {
namespace {

// Copies `path` to standard output; false when a write fails.
bool CopyToStandardOutput(const std::string& path, std::string* error) {
    std::FILE* copy = std::fopen(path.c_str(), "rb");
    if (copy == nullptr) {
        *error = "cannot read the export back from " + path + ": " + std::strerror(errno);
        return false;
    }
#ifdef _WIN32
    // Bytes as they are: text mode would turn every LF into CRLF.
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    char buffer[65536];
    size_t read = 0;
    bool written = true;
    errno = 0;
    while (written && (read = std::fread(buffer, 1, sizeof(buffer), copy)) > 0)
        written = std::fwrite(buffer, 1, read, stdout) == read;
    written = written && std::fflush(stdout) == 0;
    std::fclose(copy);
    if (!written)
        *error = std::string("cannot write the output: ") +
                 (errno != 0 ? std::strerror(errno) : "write error");
    return written;
}

// How many individuals the export hid, and how many there are.
std::pair<long, long> HiddenCount(IGEDCOMdb* db) {
    long hidden = 0;
    long all = 0;
    Ref<IGDIndividuals> people = ObjectOf(db, &IGEDCOMdb::get_Individuals);
    ForEach<IGDIndividualRecord>(people.get(), [&](IGDIndividualRecord* person) {
        VARIANT_BOOL confidential = VARIANT_FALSE;
        person->get_Confidential(&confidential);
        hidden += confidential == VARIANT_TRUE;
        ++all;
    });
    return {hidden, all};
}

VARIANT TextArgument(const std::string& text) {
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_BSTR;
    argument.bstrVal = AllocBstr(text);
    return argument;
}

}  // namespace

int RunExport(const CommandLine& line, const LoadedFile& file, Report*, std::string* error) {
    VARIANT years = Omitted();
    const std::string yearsText = line.Option("--hide-living");
    if (!yearsText.empty()) {
        if (yearsText.find_first_not_of("0123456789") != std::string::npos ||
            yearsText.size() > 6) {
            *error = "--hide-living takes a number of years, not '" + yearsText + "'";
            return kBadCommandLine;
        }
        years.vt = VT_I4;
        years.lVal = std::stol(yearsText);
    }
    Ref<IGDAssistant2> assistant =
        Query<IGDAssistant2>(AssistantOf(file.db.get()).get(), IID_IGDAssistant2);
    const bool toStandardOutput = !line.Has("--output");
    const std::string path =
        toStandardOutput ? UnusedTemporaryName("export") : line.Option("--output");
    VARIANT name =
        line.Has("--living-name") ? TextArgument(line.Option("--living-name")) : Omitted();
    BSTR target = AllocBstr(path);
    VARIANT_BOOL done = VARIANT_FALSE;
    const HRESULT hr =
        assistant ? assistant->ExportHidingLiving(target, years, name, &done) : E_NOTIMPL;
    SysFreeString(target);
    VariantClear(&name);
    if (FAILED(hr)) {
        *error = FailureText("ExportHidingLiving", hr);
        return hr == E_INVALIDARG ? kBadCommandLine : kCannotWrite;
    }
    const auto [hidden, all] = HiddenCount(file.db.get());
    std::fprintf(stderr, "kinfold: %s: %ld of %ld individuals hidden as living\n",
                 line.File().c_str(), hidden, all);
    if (!toStandardOutput) return kDone;
    const bool copied = CopyToStandardOutput(path, error);
    std::remove(path.c_str());
    return copied ? kDone : kCannotWrite;
}

}  // namespace kinfold::cli
