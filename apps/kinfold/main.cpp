// kinfold: a command-line tool over the Kinfold object model, for the
// questions people ask of a GEDCOM file first. It uses the library as any
// host does, through its class object and interfaces.
//
//     kinfold COMMAND FILE [ID] [OPTIONS]      (kinfold --help lists them)
//     kinfold phonetic NAME [--method METHOD]
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "commands.h"
#include "platform/notifier.h"
#include "standard_input.h"
#ifndef _WIN32
#include "platform/posix/load_cancel.h"
#endif

namespace kinfold::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;

#ifndef _WIN32
// Ctrl-C while a file loads stops the load cleanly; the database answers
// False and the tool reports the cancel.
extern "C" void OnInterrupt(int) {
    interrupted = 1;
    CancelLoad();
}
#endif

struct CommandEntry {
    const char* name;
    Command run;
    // The command writes standard output itself; nothing follows it there.
    bool writesOutput = false;
};

const CommandEntry kCommandTable[] = {
    {"stats", RunStats},
    {"show", RunShow},
    {"find", RunFind},
    {"relatives", RunRelatives},
    {"relationship", RunRelationship},
    {"footnotes", RunFootnotes},
    {"export", RunExport, true},
};

int Fail(int code, const std::string& message) {
    std::fprintf(stderr, "kinfold: %s\n", message.c_str());
    return code;
}

// A full disk or a closed pipe must not pass for a finished report.
int WriteOutput(const std::string& text, int code) {
    errno = 0;
    const bool written =
        std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0;
    if (written) return code;
    return Fail(kCannotWrite, std::string("cannot write the output: ") +
                                  (errno != 0 ? std::strerror(errno) : "write error"));
}

// Messages name standard input "-", as the user gave it, not by its copy.
std::string ShownAs(std::string message, const std::string& path, const std::string& shown) {
    if (path != shown && message.compare(0, path.size(), path) == 0)
        message.replace(0, path.size(), shown);
    return message;
}

int Run(int argc, const char* const* argv) {
    CommandLine line;
    std::string error;
    if (!ParseCommandLine(argc, argv, &line, &error)) {
        std::fprintf(stderr, "kinfold: %s (kinfold --help lists the commands)\n", error.c_str());
        return kBadCommandLine;
    }
    if (line.help) return WriteOutput(kUsage, kDone);
    if (line.version) return WriteOutput("kinfold " KINFOLD_VERSION "\n", kDone);
    if (line.command == "phonetic") {
        Report report;
        const int code = RunPhonetic(line, &report, &error);
        if (code != kDone) return Fail(code, error);
        return WriteOutput(line.json ? report.Json() : report.Lines(), kDone);
    }
    StandardInputCopy input;
    if (line.File() == "-" && !input.Make(&error)) return Fail(kCannotLoad, error);
    const std::string path = line.File() == "-" ? input.Path() : line.File();
    if (line.command == "check") {
        std::string text;
        const int code = RunCheck(line, path, &text);
        return text.empty() ? code : WriteOutput(text, code);
    }
    // Messages of the library go to standard error as ours do, never to a
    // message box that would wait for a click.
    SetMessageSink([](std::string_view text) {
        std::fprintf(stderr, "kinfold: %.*s\n", static_cast<int>(text.size()), text.data());
    });
#ifndef _WIN32
    std::signal(SIGINT, OnInterrupt);
#endif
    LoadedFile file = LoadGedcomFile(path, Reading{line.Encoding(), !line.strict}, &error);
    if (interrupted) return Fail(kCancelled, "cancelled while loading " + line.File());
    if (!file.db) return Fail(kCannotLoad, ShownAs(error, path, line.File()));
    if (!file.dropped.empty())
        std::fprintf(stderr,
                     "kinfold: %s: %zu %s left out or mended while loading; kinfold check %s "
                     "lists what is wrong, and --strict reads the file as it is\n",
                     line.File().c_str(), file.dropped.size(),
                     file.dropped.size() == 1 ? "line was" : "lines were", line.File().c_str());

    Report report;
    for (const CommandEntry& entry : kCommandTable) {
        if (line.command != entry.name) continue;
        const int code = entry.run(line, file, &report, &error);
        if (code != kDone) return Fail(code, error);
        if (entry.writesOutput) return kDone;
        return WriteOutput(line.json ? report.Json() : report.Lines(), kDone);
    }
    return Fail(kBadCommandLine, "unknown command '" + line.command + "'");
}

}  // namespace
}  // namespace kinfold::cli

int main(int argc, char** argv) { return kinfold::cli::Run(argc, argv); }
