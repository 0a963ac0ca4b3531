// kinfold: a command-line tool over the Kinfold object model, for the
// questions people ask of a GEDCOM file first. It uses the library as any
// host does, through its class object and interfaces.
//
//     kinfold COMMAND FILE [ID] [OPTIONS]      (kinfold --help lists them)
#include <csignal>
#include <cstdio>
#include <string>

#include "commands.h"
#include "platform/notifier.h"
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
};

const CommandEntry kCommandTable[] = {
    {"stats", RunStats},         {"show", RunShow},           {"find", RunFind},
    {"relatives", RunRelatives}, {"footnotes", RunFootnotes},
};

int Fail(int code, const std::string& message) {
    std::fprintf(stderr, "kinfold: %s\n", message.c_str());
    return code;
}

int Run(int argc, const char* const* argv) {
    CommandLine line;
    std::string error;
    if (!ParseCommandLine(argc, argv, &line, &error)) {
        std::fprintf(stderr, "kinfold: %s (kinfold --help lists the commands)\n", error.c_str());
        return kBadCommandLine;
    }
    if (line.help) {
        std::fputs(kUsage, stdout);
        return kDone;
    }
    if (line.command == "check") return RunCheck(line);
    // Messages of the library go to standard error as ours do, never to a
    // message box that would wait for a click.
    SetMessageSink([](std::string_view text) {
        std::fprintf(stderr, "kinfold: %.*s\n", static_cast<int>(text.size()), text.data());
    });
#ifndef _WIN32
    std::signal(SIGINT, OnInterrupt);
#endif
    LoadedFile file = LoadGedcomFile(line.File(), line.encoding, &error);
    if (interrupted) return Fail(kCancelled, "cancelled while loading " + line.File());
    if (!file.db) return Fail(kCannotLoad, error);

    Report report;
    int code = kBadCommandLine;
    for (const CommandEntry& entry : kCommandTable)
        if (line.command == entry.name) code = entry.run(line, file, &report, &error);
    if (code != kDone) return Fail(code, error);
    const std::string text = line.json ? report.Json() : report.Lines();
    std::fwrite(text.data(), 1, text.size(), stdout);
    return kDone;
}

}  // namespace
}  // namespace kinfold::cli

int main(int argc, char** argv) {
    const int code = kinfold::cli::Run(argc, argv);
    std::fflush(stdout);
    return code;
}
