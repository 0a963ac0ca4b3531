#include "check/file_check.h"

#include <algorithm>

#include "check/link_index.h"
#include "check/text_encoding.h"
#include "core/encoding_detection.h"
#include "core/gedcom_line.h"
#include "core/gedcom_reader.h"
#include "platform/raw_file.h"

namespace kinfold::cli {

namespace {

// The kinds of level-0 record the loader knows; others it skips whole.
constexpr std::string_view kRecordKinds[] = {"HEAD", "TRLR", "INDI", "FAM",  "SOUR",
                                             "REPO", "NOTE", "OBJE", "SUBM", "SUBN"};
// Kinds a file holds once; the loader keeps the first and skips the others.
constexpr std::string_view kSingleKinds[] = {"HEAD", "SUBN"};

// Pointers the loader resolves while loading (a record's family links, a
// source's repositories, also under its DATA), with the side of a family
// link they state.
struct LinkedPointer {
    std::string_view record;
    int level;
    std::string_view parent;  // the level-1 tag above a level-2 line
    std::string_view tag;
    LinkSide side;
};
constexpr LinkedPointer kLinkedPointers[] = {
    {"INDI", 1, "", "FAMC", LinkSide::Person},   {"INDI", 1, "", "FAMS", LinkSide::Person},
    {"FAM", 1, "", "HUSB", LinkSide::Family},    {"FAM", 1, "", "WIFE", LinkSide::Family},
    {"FAM", 1, "", "CHIL", LinkSide::Family},    {"SOUR", 1, "", "REPO", LinkSide::None},
    {"SOUR", 2, "DATA", "REPO", LinkSide::None},
};

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

constexpr Severity kError = Severity::Error;
constexpr Severity kWarning = Severity::Warning;

template <size_t N>
bool OneOf(std::string_view word, const std::string_view (&list)[N]) {
    return std::find(std::begin(list), std::end(list), word) != std::end(list);
}

// "@#DJULIAN@" escapes a calendar and "@@" an at sign; neither names a record.
bool IsPointer(std::string_view field) {
    return field.size() > 2 && field[1] != '#' && field[1] != '@';
}

bool IsLevelNumber(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string FileHead(const std::string& path) {
    RawFile file;
    char head[4096];
    const size_t size = file.Open(path) ? file.ReadAt(0, head, sizeof(head)) : 0;
    return std::string(head, size);
}

// A byte-order mark, or a zero byte in the first character.
bool IsUtf16(std::string_view head) {
    return head.size() >= 2 &&
           (head.substr(0, 2) == "\xFF\xFE" || head.substr(0, 2) == "\xFE\xFF" || head[0] == '\0' ||
            head[1] == '\0');
}

// Files the reader cannot split into lines at all unless they are decoded,
// told by their first bytes; false for the others.
bool FindUnsplittable(std::string_view head, Problem* problem) {
    if (IsUtf16(head)) {
        *problem = {1, "encoding",
                    "the file is UTF-16 text; the reader reads 8-bit text, in which the zero "
                    "bytes of UTF-16 end every line (save the file as UTF-8, or read it with "
                    "--encoding auto)"};
        return true;
    }
    if (head.find('\r') != std::string_view::npos && head.find('\n') == std::string_view::npos) {
        *problem = {1, "line-end",
                    "the file ends its lines with CR alone; the reader ends lines at LF only "
                    "and reads the file as one long line (read it with --encoding auto)"};
        return true;
    }
    return false;
}

bool DeclaresUtf16(const GedcomLine& charLine) {
    TextEncoding declared;
    declared.Declare(TrimText(charLine.Value()));
    return declared.DeclaresUtf16();
}

class FileCheck {
   public:
    explicit FileCheck(CheckResult& result) : result_(result), problems_(result.problems) {}

    void Run(GedcomReader& reader);
    void DeclareCharset(GedcomReader& reader);
    // Holds text to the encoding the loader chose when it decodes the file,
    // instead of to the CHAR line.
    void DecodeAs(kinfold::TextEncoding encoding, bool fromUtf16);

   private:
    void Add(const char* kind, std::string message, Severity severity, bool corrupt = false) {
        problems_.push_back({number_, kind, std::move(message), severity, corrupt});
    }
    // A problem of a level-0 line, joined to the bad level that made the
    // line a record when there is one: one cause, reported once.
    void AddRecordProblem(const char* kind, std::string message, Severity severity) {
        if (levelCause_.empty()) return Add(kind, std::move(message), severity);
        Add("level", levelCause_ + ", so " + message, kError);
        levelCause_.clear();
    }
    void TakeLine(const GedcomLine& line);
    void TakePiece(const GedcomLine& line);
    void CheckLevel(const GedcomLine& line);
    void TakeRecordLine(const GedcomLine& line);
    void TakeSubLine(const GedcomLine& line);
    void CheckText(const GedcomLine& line, bool continues);
    void Finish();

    CheckResult& result_;
    Problems& problems_;
    LinkIndex index_;
    TextEncoding encoding_;
    uint32_t number_ = 1;
    uint32_t lastTextLine_ = 1;
    int previousLevel_ = 0;
    bool seenContent_ = false;
    bool seenTrlr_ = false;
    bool reportedAfterTrlr_ = false;
    size_t cutLineProblem_ = 0;  // the problem of the cut line being read
    bool decoded_ = false;       // text is held to the decoding, not to CHAR
    bool fromUtf16_ = false;
    std::string levelCause_;  // a level that is no number, on the line being read
    std::vector<std::string> singles_;
    std::string record_, recordId_, parent_;
};

// The character set is declared inside HEAD, but text before that line is
// held to it too, so HEAD is read for it first.
void FileCheck::DeclareCharset(GedcomReader& reader) {
    if (decoded_) return;
    GedcomLine line;
    for (bool first = true; reader.ReadContentLine(line); first = false) {
        if (!first && line.Level() == 0) break;
        if (line.Level() == 1 && line.Tag() == "CHAR") {
            encoding_.Declare(TrimText(line.Value()));
            break;
        }
    }
}

void FileCheck::DecodeAs(kinfold::TextEncoding encoding, bool fromUtf16) {
    // By the enumeration's order; code pages without a rule pass every byte.
    static const char* const kNames[] = {"",          "UTF-8", "ANSI", "IBMPC",
                                         "MACINTOSH", "ASCII", "ANSEL"};
    decoded_ = true;
    fromUtf16_ = fromUtf16;
    encoding_.Declare(kNames[static_cast<size_t>(encoding)]);
}

void FileCheck::Run(GedcomReader& reader) {
    GedcomLine line;
    bool piece = false;  // the line read is the rest of a cut line
    for (uint32_t before = reader.Position(); reader.ReadLine(line); before = reader.Position()) {
        const bool cut = reader.LastLineCut();
        if (cut && !piece) {
            cutLineProblem_ = problems_.size();
            Add("long-line",
                "longer than the " + std::to_string(kMaxLineBytes) +
                    " bytes the reader takes for a line; it reads the rest as a line of its own",
                kError);
        }
        // A blank line leaves the line as it was, position included.
        const bool blank = line.Position() != static_cast<int32_t>(before);
        if (piece) {
            if (!blank) TakePiece(line);
        } else if (blank && !seenContent_) {
            Add("blank-line", "blank line; the loader passes over it before the first line",
                kWarning);
        } else if (blank) {
            Add("blank-line",
                seenTrlr_ ? std::string("blank line after TRLR; the loader passes over it")
                          : "blank line; the loader reads the line before it (" +
                                std::to_string(line.Level()) + " " + Printable(line.Tag()) +
                                ") a second time",
                kWarning);
        } else {
            TakeLine(line);
        }
        piece = cut;
        if (!cut) ++number_;
    }
    if (!piece) --number_;
    result_.lines = number_;
    Finish();
}

void FileCheck::TakeLine(const GedcomLine& line) {
    if (!seenContent_ && (line.Level() != 0 || line.Tag() != "HEAD"))
        Add("structure", "the file does not begin with a 0 HEAD line", kError);
    if (seenTrlr_ && !reportedAfterTrlr_) {
        Add("structure", "data after the TRLR line that ends the file", kWarning);
        reportedAfterTrlr_ = true;
    }
    seenContent_ = true;
    CheckLevel(line);
    if (line.Level() == 0)
        TakeRecordLine(line);
    else
        TakeSubLine(line);
    if (!levelCause_.empty()) Add("level", std::move(levelCause_), kError);
    levelCause_.clear();
    CheckText(line, line.Tag() == "CONC");
}

// The rest of a cut line is a line to the loader, mostly text without a
// level, so level 0: a record of no known kind, under which the loader skips
// every line up to the next record.
void FileCheck::TakePiece(const GedcomLine& line) {
    if (line.Level() == 0 && !OneOf(line.Tag(), kRecordKinds)) {
        // What follows from the cut is told with it, once.
        static const char kSkips[] =
            ", a level-0 line to the loader, which skips the lines after it up to the next "
            "level-0 line";
        std::string& message = problems_[cutLineProblem_].message;
        if (message.find(kSkips) == std::string::npos) message += kSkips;
        record_.assign(line.Tag());
        recordId_.clear();
        parent_.clear();
    } else if (line.Level() == 0) {
        TakeRecordLine(line);
    } else {
        TakeSubLine(line);
    }
    previousLevel_ = line.Level();
    CheckText(line, true);
}

void FileCheck::CheckLevel(const GedcomLine& line) {
    std::string_view text = line.LevelText();
    if (number_ == 1 && text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());
    const int level = line.Level();
    if (!IsLevelNumber(text))
        levelCause_ = (text.empty() ? std::string("no level number")
                                    : "level '" + Printable(text) + "' is not a number") +
                      "; the loader reads it as level " + std::to_string(level);
    else if (level > previousLevel_ + 1)
        Add("level",
            "level " + std::to_string(level) + " follows level " + std::to_string(previousLevel_) +
                "; a line goes at most one level deeper than the line before it, and the "
                "loader may drop the line and those under it",
            kError);
    previousLevel_ = level;
}

void FileCheck::TakeRecordLine(const GedcomLine& line) {
    const std::string_view tag = line.Tag();
    record_.assign(tag);
    recordId_.assign(line.Id());
    parent_.clear();
    if (!line.Id().empty()) index_.Define(line.Id(), tag, number_);
    if (tag == "TRLR") seenTrlr_ = true;
    if (OneOf(tag, kSingleKinds)) {
        if (std::find(singles_.begin(), singles_.end(), tag) != singles_.end())
            AddRecordProblem(
                "record", "a second " + record_ + "; the loader keeps the first and skips this one",
                kError);
        else
            singles_.push_back(record_);
    }
    if (OneOf(tag, kRecordKinds)) return;
    if (tag.empty())
        AddRecordProblem("record",
                         "a level-0 line without a tag; the loader skips it and the lines under it",
                         kError);
    else if (tag.front() == '@')
        AddRecordProblem("record",
                         "the ID " + Printable(tag) +
                             " has no closing @ (an ID holds no blank); the loader skips the "
                             "record and the lines under it",
                         kError);
    else if (tag.front() == '_')
        AddRecordProblem(
            "user-record",
            "user record " + Printable(tag) + "; the loader skips it and the lines under it",
            kWarning);
    else
        AddRecordProblem("record",
                         "unknown kind of record " + Printable(tag) +
                             "; the loader skips it and the lines under it",
                         kError);
}

void FileCheck::TakeSubLine(const GedcomLine& line) {
    const int level = line.Level();
    const std::string_view tag = line.Tag();
    if (level == 1) parent_.assign(tag);
    if (level == 1 && record_ == "HEAD" && tag == "CHAR" && !fromUtf16_ && DeclaresUtf16(line))
        Add("encoding",
            "CHAR " + Printable(line.Value()) + " declares UTF-16 text, but the file is 8-bit text",
            kWarning);
    const LinkedPointer* linked = nullptr;
    for (const LinkedPointer& entry : kLinkedPointers)
        if (level == entry.level && tag == entry.tag && record_ == entry.record &&
            (level == 1 || parent_ == entry.parent))
            linked = &entry;
    const std::string_view pointer = line.Pointer();
    // The loader resolves whatever stands in a family link's pointer place,
    // and finds nothing when nothing stands there.
    if (linked != nullptr && linked->side != LinkSide::None && pointer.empty()) {
        Add("pointer",
            Printable(tag) + " has no pointer to " +
                (linked->side == LinkSide::Person ? "a family" : "an individual"),
            kError, true);
        return;
    }
    if (linked != nullptr ? pointer.empty() : !IsPointer(pointer)) return;
    index_.Point(recordId_, tag, pointer, number_, linked ? linked->side : LinkSide::None,
                 linked != nullptr);
}

void FileCheck::CheckText(const GedcomLine& line, bool continues) {
    if (!continues) {
        std::string ending = encoding_.Finish();
        if (!ending.empty())
            problems_.push_back({lastTextLine_, "encoding", std::move(ending), kError});
    }
    std::string problem;
    if (!continues) {
        problem = encoding_.Check(line.Tag(), false);
        if (problem.empty()) problem = encoding_.Finish();
    }
    if (problem.empty()) problem = encoding_.Check(line.Value(), continues);
    if (!problem.empty()) Add("encoding", std::move(problem), kError);
    lastTextLine_ = number_;
}

void FileCheck::Finish() {
    std::string ending = encoding_.Finish();
    if (!ending.empty())
        problems_.push_back({lastTextLine_, "encoding", std::move(ending), kError});
    if (!seenContent_) {
        number_ = 1;
        Add("structure", "the file holds no GEDCOM lines, so no 0 HEAD line", kError);
    } else if (!seenTrlr_) {
        Add("structure", "the file ends without a 0 TRLR line", kWarning);
    }
    index_.Resolve(problems_);
}

}  // namespace

CheckResult CheckFile(const std::string& path, const std::string& encoding) {
    CheckResult result;
    GedcomReader reader;
    const HRESULT opened = reader.Open(path);
    if (opened == kFileTooLarge)
        result.unreadable = "is 2 GB or larger, beyond what the reader reads";
    if (FAILED(opened)) {
        if (result.unreadable.empty()) result.unreadable = "cannot be opened";
        return result;
    }
    FileCheck check(result);
    const std::string head = FileHead(path);
    Problem unsplittable;
    if (encoding == "auto") {
        // The loader's own choice, and the image it reads a UTF-16 or
        // CR-ended file from.
        EncodingChoice choice = ChooseEncoding(reader.ReadAll());
        if (choice.useImage) reader.UseImage(std::move(choice.image));
        check.DecodeAs(choice.encoding, IsUtf16(head));
    } else if (FindUnsplittable(head, &unsplittable)) {
        result.lines = 1;
        result.problems.push_back(unsplittable);
        return result;
    }
    check.DeclareCharset(reader);
    reader.Seek(0);
    check.Run(reader);
    std::stable_sort(result.problems.begin(), result.problems.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
    return result;
}

}  // namespace kinfold::cli
