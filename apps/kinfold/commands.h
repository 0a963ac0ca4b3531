// The commands of kinfold. Each reads the loaded database through the
// public interfaces, fills a report and returns the exit code; on failure
// `error` holds the one-line reason.
#pragma once

#include <string>

#include "command_line.h"
#include "gedcom_file.h"
#include "report.h"

namespace kinfold::cli {

enum ExitCode {
    kDone = 0,
    kCannotLoad = 1,
    kBadCommandLine = 2,
    kNoSuchRecord = 3,
    kCannotAnswer = 4,
    kCannotWrite = 5,
    kCancelled = 130,  // as a shell reports a program stopped by Ctrl-C
};

using Command = int (*)(const CommandLine& line, const LoadedFile& file, Report* report,
                        std::string* error);

int RunStats(const CommandLine& line, const LoadedFile& file, Report* report, std::string* error);
int RunShow(const CommandLine& line, const LoadedFile& file, Report* report, std::string* error);
int RunFind(const CommandLine& line, const LoadedFile& file, Report* report, std::string* error);
int RunRelatives(const CommandLine& line, const LoadedFile& file, Report* report,
                 std::string* error);
int RunRelationship(const CommandLine& line, const LoadedFile& file, Report* report,
                    std::string* error);
int RunFootnotes(const CommandLine& line, const LoadedFile& file, Report* report,
                 std::string* error);
// Writes the copy itself, to --output or standard output; it fills no report.
int RunExport(const CommandLine& line, const LoadedFile& file, Report* report, std::string* error);

// kinfold phonetic codes a name and reads no file.
int RunPhonetic(const CommandLine& line, Report* report, std::string* error);

// kinfold check reads the file at `path` itself instead of loading it, and
// fills `output` with its own report: it has exit codes of its own (0 clean,
// 1 problems, 2 unreadable, when it says why on standard error).
int RunCheck(const CommandLine& line, const std::string& path, std::string* output);

// What a failed call of the library means for the user, in one line:
// "`member` is not available in this build of the library" for E_NOTIMPL,
// the error description when the member gave one, else the code.
std::string FailureText(const char* member, HRESULT hr);

// The description of the thread's error information, taken from it; empty
// when there is none.
std::string ErrorDescription();

}  // namespace kinfold::cli
