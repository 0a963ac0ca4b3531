// kinfold check FILE: every problem of a file on a line of its own, with
// its severity, then a count; the exit code says clean or warnings only (0),
// errors found (1; warnings too with --strict) or unreadable (2).
#include <cstdio>

#include "check/file_check.h"
#include "commands.h"

namespace kinfold::cli {
namespace {

enum CheckExit { kClean = 0, kProblemsFound = 1, kUnreadable = 2 };

template <class Test>
size_t CountOf(const Problems& problems, Test test) {
    size_t count = 0;
    for (const Problem& problem : problems) count += test(problem) ? 1 : 0;
    return count;
}

size_t CorruptCount(const Problems& problems) {
    return CountOf(problems, [](const Problem& problem) { return problem.corrupt; });
}

size_t ErrorCount(const Problems& problems) {
    return CountOf(problems,
                   [](const Problem& problem) { return problem.severity == Severity::Error; });
}

const char* SeverityName(Severity severity) {
    return severity == Severity::Error ? "error" : "warning";
}

std::string Plural(size_t count, const char* word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

std::string Lines(const CheckResult& result) {
    std::string out;
    for (const Problem& problem : result.problems)
        out += "line " + std::to_string(problem.line) + ": " + SeverityName(problem.severity) +
               ": " + problem.message +
               (problem.corrupt ? " (the loader calls the file corrupt because of it)\n" : "\n");
    const size_t corrupt = CorruptCount(result.problems);
    const size_t errors = ErrorCount(result.problems);
    out += result.problems.empty() ? std::string("no problems")
                                   : Plural(result.problems.size(), "problem");
    out += " in " + Plural(result.lines, "line");
    if (!result.problems.empty())
        out += " (" + Plural(errors, "error") + ", " +
               Plural(result.problems.size() - errors, "warning") + ")";
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
    report.Add("error_count", Report::Number(static_cast<double>(ErrorCount(result.problems))));
    report.Add("corrupt_count", Report::Number(static_cast<double>(CorruptCount(result.problems))));
    Report& list = report.Add("problems", Report::List());
    for (const Problem& problem : result.problems) {
        Report& item = list.Append(Report::Object());
        item.Add("line", Report::Number(problem.line));
        item.Add("kind", Report::Text(problem.kind));
        item.Add("severity", Report::Text(SeverityName(problem.severity)));
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
        result = CheckFile(path, line.Encoding());
        reason = result.unreadable;
    }
    if (!reason.empty()) {
        std::fprintf(stderr, "kinfold: %s: %s\n", line.File().c_str(), reason.c_str());
        return kUnreadable;
    }
    *output = line.json ? Json(line.File(), result).Json() : Lines(result);
    const size_t errors = ErrorCount(result.problems);
    const bool failed = errors != 0 || (line.strict && !result.problems.empty());
    return failed ? kProblemsFound : kClean;
}

}  // namespace kinfold::cli
