// kinfold check FILE: every problem of a file on a line of its own, then a
// count; the exit code says clean (0), problems found (1) or unreadable (2).
#include <cstdio>

#include "check/file_check.h"
#include "commands.h"

namespace kinfold::cli {
namespace {

enum CheckExit { kClean = 0, kProblemsFound = 1, kUnreadable = 2 };

size_t CorruptCount(const Problems& problems) {
    size_t count = 0;
    for (const Problem& problem : problems) count += problem.corrupt ? 1 : 0;
    return count;
}

std::string Plural(size_t count, const char* word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

std::string Lines(const CheckResult& result) {
    std::string out;
    for (const Problem& problem : result.problems)
        out += "line " + std::to_string(problem.line) + ": " + problem.message +
               (problem.corrupt ? " (the loader calls the file corrupt because of it)\n" : "\n");
    const size_t corrupt = CorruptCount(result.problems);
    out += result.problems.empty() ? std::string("no problems")
                                   : Plural(result.problems.size(), "problem");
    out += " in " + Plural(result.lines, "line");
    if (corrupt != 0)
        out += "; " + std::to_string(corrupt) +
               (corrupt == 1 ? " of them makes" : " of them make") +
               " the loader call the file corrupt";
    return out + "\n";
}

Report Json(const std::string& file, const CheckResult& result) {
    Report report = Report::Object();
    report.Add("file", Report::Text(file));
    report.Add("lines", Report::Number(result.lines));
    report.Add("problem_count", Report::Number(static_cast<double>(result.problems.size())));
    report.Add("corrupt_count", Report::Number(static_cast<double>(CorruptCount(result.problems))));
    Report& list = report.Add("problems", Report::List());
    for (const Problem& problem : result.problems) {
        Report& item = list.Append(Report::Object());
        item.Add("line", Report::Number(problem.line));
        item.Add("kind", Report::Text(problem.kind));
        item.Add("message", Report::Text(problem.message));
        item.Add("corrupt", Report::Boolean(problem.corrupt));
    }
    return report;
}

}  // namespace

int RunCheck(const CommandLine& line, const std::string& path, std::string* output) {
    std::string reason = UnreadableReason(path);
    CheckResult result;
    if (reason.empty()) {
        result = CheckFile(path);
        reason = result.unreadable;
    }
    if (!reason.empty()) {
        std::fprintf(stderr, "kinfold: %s: %s\n", line.File().c_str(), reason.c_str());
        return kUnreadable;
    }
    *output = line.json ? Json(line.File(), result).Json() : Lines(result);
    return result.problems.empty() ? kClean : kProblemsFound;
}

}  // namespace kinfold::cli
