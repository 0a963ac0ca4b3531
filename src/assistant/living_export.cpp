#include "assistant/living_export.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "assistant/copy_writer.h"
#include "core/encoding_detection.h"
#include "core/fixed_string.h"
#include "core/gedcom_line.h"
#include "core/gedcom_reader.h"
#include "db/gedcom_db.h"
#include "platform/output_file.h"
#include "platform/raw_file.h"
#include "records/person/family_entry.h"
#include "records/person/individual_entry.h"

namespace kinfold {

namespace {

bool IsHidden(const RecordBase* individual) {
    return individual != nullptr && individual->ConfidentialState() == 1;
}

// A family is hidden when it has a partner and every partner is hidden:
// the dates of a marriage would tell what the partners' records no longer
// do.
bool PartnersAllHidden(const FamilyEntry& family) {
    bool any = false;
    for (const IndividualLine* partner : {family.Husband(), family.Wife()}) {
        if (partner == nullptr || partner->Target() == nullptr) continue;
        if (!IsHidden(partner->Target())) return false;
        any = true;
    }
    return any;
}

bool IsFamilyHidden(RecordBase* family) {
    return family != nullptr && PartnersAllHidden(*static_cast<FamilyEntry*>(family));
}

// Whether a line's first field is empty ("0  X"): it is then read as the
// line before it, with its own level and position.
bool KeepsFieldsBefore(std::string_view text) {
    text = BoundText(TrimText(text));
    const size_t blank = text.find(' ');
    return blank != std::string_view::npos && blank + 1 < text.size() && text[blank + 1] == ' ';
}

// What stands in the place of a hidden individual's sub-lines.
std::string HiddenIndividualLines(const IndividualEntry& person, std::string_view name) {
    std::string lines = "1 NAME ";
    lines.append(name).append("\n");
    // The loader keeps the first byte of the SEX value, '?' without one. A
    // blank would be trimmed away and a lone @ read as a pointer, so they
    // are followed by a letter.
    const char sex = person.Sex();
    if (sex == '\0')
        lines += "1 SEX\n";
    else if (sex != '?')
        lines.append("1 SEX ").append(1, sex).append(IsBlank(sex) || sex == '@' ? "X\n" : "\n");
    // Child links first, then spouse links, each in the order loaded, with
    // the pedigree a PEDI line wrote (a spouse link may have one too).
    for (const FamilyLinkList* links : {&person.ChildFamilyLinks(), &person.SpouseFamilyLinks()}) {
        for (const FamilyLinkLine& link : *links) {
            if (link.Target() == nullptr) continue;
            lines.append(links == &person.ChildFamilyLinks() ? "1 FAMC " : "1 FAMS ")
                .append(link.Target()->Id())
                .append("\n");
            if (link.HasWrittenPedigree())
                lines.append(link.WrittenPedigree().empty() ? "2 PEDI" : "2 PEDI ")
                    .append(link.WrittenPedigree())
                    .append("\n");
        }
    }
    return lines;
}

// What stands in the place of the sub-lines of a family whose partners are
// all hidden: its partners and children, as loaded.
std::string HiddenFamilyLines(const FamilyEntry& family) {
    std::string lines;
    const auto add = [&](const char* tag, const IndividualLine* line) {
        if (line != nullptr && line->Target() != nullptr)
            lines.append(tag).append(line->Target()->Id()).append("\n");
    };
    add("1 HUSB ", family.Husband());
    add("1 WIFE ", family.Wife());
    for (const IndividualLine& child : family.Children()) add("1 CHIL ", &child);
    return lines;
}

struct Counts {
    size_t individuals = 0;
    size_t hidden = 0;
    size_t hiddenFamilies = 0;
};

// The header's note on what was done, as lines of text.
std::vector<std::string> NoteTexts(const Counts& counts, const LivingExport& request) {
    std::vector<std::string> texts;
    texts.push_back("Individuals who may be living are hidden: " + std::to_string(counts.hidden) +
                    " of " + std::to_string(counts.individuals) + ", born within the last " +
                    std::to_string(request.years) +
                    " years by the dates in this file and those of their relatives.");
    texts.push_back("Each keeps its ID, sex and family links, with the name \"" +
                    request.livingName +
                    "\"; its events, notes, sources, attributes, multimedia and addresses "
                    "are left out.");
    if (counts.hiddenFamilies != 0)
        texts.push_back(std::to_string(counts.hiddenFamilies) +
                        (counts.hiddenFamilies == 1 ? " family" : " families") +
                        " whose partners are all hidden keep" +
                        (counts.hiddenFamilies == 1 ? "s" : "") +
                        " only the partners and children.");
    return texts;
}

// The lines of the note: a NOTE of its own, or CONT lines that go on with
// the header's own NOTE.
std::string NoteLines(const std::vector<std::string>& texts, bool goOnWithNote) {
    std::string lines;
    for (size_t i = 0; i < texts.size(); ++i)
        lines.append(i == 0 && !goOnWithNote ? "1 NOTE " : "2 CONT ").append(texts[i]).append("\n");
    return lines;
}

// The CHAR line of the decoding the load chose ("" when it read bytes);
// whether the file says so, and whether by a CHAR line of its own, which
// the copy must keep where the loader finds it (under the first line and
// before the next line that starts with "0 ").
struct CharLine {
    std::string line;
    bool declared = true;
    bool byLine = false;
};

// The walk over the lines of the file, as the loader read them, deciding
// for each whether it is kept.
class LivingCopy {
   public:
    LivingCopy(GEDCOMdb& database, CopyWriter& writer, std::vector<std::string> note,
               std::string_view livingName, CharLine charLine)
        : database_(database),
          writer_(writer),
          note_(std::move(note)),
          livingName_(livingName),
          charLine_(std::move(charLine)) {}

    void Run(GedcomReader& scan) {
        GedcomLine line;
        LineKind kind = LineKind::Blank;
        uint32_t at = scan.Position();
        bool first = true;
        while (scan.ReadLine(line, &kind)) {
            const uint32_t next = scan.Position();
            if (first && (kind != LineKind::Content || line.Level() != 0 || line.Tag() != "HEAD"))
                at = InsertHeader(scan, at);
            const std::string_view text = TrimText(scan.LastLineText());
            const bool endsCharSearch =
                !first && (text.substr(0, 2) == "0 " || text.substr(0, 7) == "1 CHAR ");
            first = false;
            if (kind == LineKind::Content && line.Level() == 0) {
                if (mode_ == Mode::Header) FinishHeader();
                mode_ = OpenRecord(line, KeepsFieldsBefore(scan.LastLineText()), at, next);
                // The loader's record takes the line's ID and value, so a
                // blank line or an empty first field after it reads the
                // line again without them.
                if (line.Tag() == "INDI" || line.Tag() == "FAM") {
                    line.ClearId();
                    line.ClearValue();
                }
            } else if (kind == LineKind::Blank && line.Level() == 0) {
                mode_ = ReopenRecord(line, at, next);
            } else {
                if (endsCharSearch && (mode_ == Mode::Replaced || mode_ == Mode::LeftOut))
                    KeepCharLineFindable();
                TakeSubLine(line, kind == LineKind::Content, at, next);
            }
            if (endsCharSearch) charSearchOpen_ = false;
            at = next;
        }
        if (first) InsertHeader(scan, at);
        if (mode_ == Mode::Header) FinishHeader();
    }

   private:
    // Copy keeps the lines; Replaced and LeftOut drop them, the stand-in
    // lines of a hidden record having been written in their place.
    enum class Mode { Copy, Header, Replaced, LeftOut };
    enum class HeaderNote { None, Inside, Done };

    // A file that does not start with its header gets one of its own (after
    // a UTF-8 byte-order mark), which says how it is encoded: the loader
    // looks for CHAR under the first line. A header further on is then a
    // second one, which the loader passes over. Returns where the copy of
    // the file goes on.
    uint32_t InsertHeader(GedcomReader& scan, uint32_t at) {
        char mark[3] = {};
        const bool marked = at == 0 && scan.ReadBytes(0, mark, 3) == 3 &&
                            std::string_view(mark, 3) == "\xEF\xBB\xBF";
        if (marked) writer_.Keep(0, 3);
        writer_.Insert("0 HEAD\n" + charLine_.line + NoteLines(note_, false));
        headerSeen_ = true;
        headerNote_ = HeaderNote::Done;
        return marked ? 3 : at;
    }

    // A line whose first field is empty (`sameFields`) reads as the line
    // before it with a new level. After lines dropped, or for a record that
    // may be hidden, it is written out as that line with its ID gone, as the
    // loader has it.
    void KeepRecordLine(std::string_view tag, bool sameFields, uint32_t from, uint32_t to) {
        const bool dropped = mode_ == Mode::Replaced || mode_ == Mode::LeftOut;
        if (sameFields && (dropped || tag == "INDI" || tag == "FAM"))
            writer_.Insert("0 " + std::string(tag) + "\n");
        else
            writer_.Keep(from, to);
    }

    Mode OpenRecord(const GedcomLine& line, bool sameFields, uint32_t from, uint32_t to) {
        const std::string_view tag = line.Tag();
        if (tag == "HEAD" && !headerSeen_) {
            headerSeen_ = true;
            KeepRecordLine(tag, sameFields, from, to);
            if (!charLine_.declared) writer_.Insert(charLine_.line);
            return Mode::Header;
        }
        if (tag != "INDI" && tag != "FAM") {
            KeepRecordLine(tag, sameFields, from, to);
            return Mode::Copy;
        }
        const bool individual = tag == "INDI";
        auto [record, duplicate] =
            Find(individual ? RecordKind::Individual : RecordKind::Family, line);
        if (duplicate && IsToBeHidden(record, individual)) return Mode::LeftOut;
        KeepRecordLine(tag, sameFields, from, to);
        return ModeOf(record, individual);
    }

    // A blank line after a level-0 line reads that line again, without its
    // ID: the loader opens a second record of the same kind there, whose
    // lines the first one's on-demand members read too. The copy keeps the
    // blank line, or writes that record's line out where a blank line could
    // not follow the stand-in lines of a hidden one.
    Mode ReopenRecord(const GedcomLine& line, uint32_t from, uint32_t to) {
        const std::string_view tag = line.Tag();
        if (tag == "HEAD" && mode_ == Mode::Header) {
            // A second header: the loader passes over it and its lines.
            FinishHeader();
            KeepCharLineFindable();
            writer_.Insert("0 HEAD\n");
            return Mode::Copy;
        }
        if (tag == "INDI" || tag == "FAM") {
            const bool individual = tag == "INDI";
            RecordBase* record =
                Find(individual ? RecordKind::Individual : RecordKind::Family, line).first;
            if (record != nullptr) {
                // After a line kept as it was, the blank line itself; after
                // stand-in lines, a level-0 line without an ID.
                if (mode_ == Mode::Copy) {
                    writer_.Keep(from, to);
                } else {
                    KeepCharLineFindable();
                    writer_.Insert(individual ? "0 INDI\n" : "0 FAM\n");
                }
                return ModeOf(record, individual);
            }
        }
        TakeSubLine(line, false, from, to);
        return mode_;
    }

    static bool IsToBeHidden(RecordBase* record, bool individual) {
        return individual ? IsHidden(record) : IsFamilyHidden(record);
    }

    // How the lines of `record`, whose level-0 line is written, are copied;
    // a hidden record's stand-in lines are written here.
    Mode ModeOf(RecordBase* record, bool individual) {
        if (!IsToBeHidden(record, individual)) return Mode::Copy;
        writer_.Insert(individual
                           ? HiddenIndividualLines(*static_cast<const IndividualEntry*>(record),
                                                   livingName_)
                           : HiddenFamilyLines(*static_cast<const FamilyEntry*>(record)));
        return Mode::Replaced;
    }

    void TakeSubLine(const GedcomLine& line, bool content, uint32_t from, uint32_t to) {
        switch (mode_) {
            case Mode::Copy:
                writer_.Keep(from, to);
                return;
            case Mode::Header:
                if (content && headerNote_ == HeaderNote::Inside && line.Level() <= 1) {
                    writer_.Insert(NoteLines(note_, true));
                    headerNote_ = HeaderNote::Done;
                }
                if (content && headerNote_ == HeaderNote::None && line.Level() == 1 &&
                    line.Tag() == "NOTE")
                    headerNote_ = HeaderNote::Inside;
                writer_.Keep(from, to);
                return;
            case Mode::Replaced:
            case Mode::LeftOut:
                return;
        }
    }

    // Before a line that starts with "0 " is put in, or the file's own CHAR
    // line is dropped, while the loader would still be looking for that CHAR
    // line: the copy's own goes first.
    void KeepCharLineFindable() {
        if (!charSearchOpen_) return;
        writer_.Insert(charLine_.line);
        charSearchOpen_ = false;
    }

    void FinishHeader() {
        if (headerNote_ != HeaderNote::Done)
            writer_.Insert(NoteLines(note_, headerNote_ == HeaderNote::Inside));
        headerNote_ = HeaderNote::Done;
    }

    // The record loaded from the level-0 `line`; else, flagged as a
    // duplicate, the later record that holds its ID in the database. An
    // ID-less record that was not loaded (only the last one is) is none.
    std::pair<RecordBase*, bool> Find(RecordKind kind, const GedcomLine& line) const {
        RecordBase* record = database_.FindRecord(kind, line.Id());
        if (record == nullptr || record->Position() == line.Position()) return {record, false};
        if (line.Id().empty()) return {nullptr, false};
        return {record, true};
    }

    GEDCOMdb& database_;
    CopyWriter& writer_;
    const std::vector<std::string> note_;
    const std::string_view livingName_;
    const CharLine charLine_;
    bool charSearchOpen_ = charLine_.byLine;
    Mode mode_ = Mode::Copy;
    bool headerSeen_ = false;
    HeaderNote headerNote_ = HeaderNote::None;
};

Counts CountHidden(GEDCOMdb& database) {
    Counts counts;
    counts.individuals = database.IndividualStore().Size();
    for (const RecordBase* person : database.IndividualStore())
        if (IsHidden(person)) ++counts.hidden;
    for (const RecordBase* family : database.FamilyStore())
        if (PartnersAllHidden(*static_cast<const FamilyEntry*>(family))) ++counts.hiddenFamilies;
    return counts;
}

bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// The name the CHAR line gives each encoding the load may have decoded by.
const char* CharName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return "UTF-8";
        case TextEncoding::Windows1252:
            return "ANSI";
        case TextEncoding::Cp437:
            return "IBMPC";
        case TextEncoding::MacRoman:
            return "MACINTOSH";
        case TextEncoding::Ascii:
            return "ASCII";
        case TextEncoding::Ansel:
            return "ANSEL";
        case TextEncoding::Bytes:
            break;
    }
    return "";
}

// A file decoded by what its bytes showed (no CHAR line it could go by)
// might show otherwise once hidden records are gone, so the copy says
// which decoding the load chose. Nothing is said when the bytes were not
// decoded, or a UTF-16 file was (the copy keeps its byte order).
CharLine CharLineFor(GedcomReader& scan, const GedcomReader& loaded, bool decoded, Utf16 utf16) {
    CharLine charLine;
    const std::string name = CharName(loaded.Encoding());
    if (!decoded || utf16 != Utf16::None || name.empty()) return charLine;
    charLine.line = "1 CHAR " + name + "\n";
    std::string start(1 << 20, '\0');
    start.resize(scan.ReadBytes(0, start.data(), start.size()));
    const bool marked = start.compare(0, 3, "\xEF\xBB\xBF") == 0;
    charLine.byLine = !marked && CharLineEncoding(start) != TextEncoding::Bytes;
    charLine.declared = marked || charLine.byLine;
    return charLine;
}

HRESULT Fail(HRESULT code, std::string text, std::string* failure) {
    *failure = std::move(text);
    return code;
}

}  // namespace

HRESULT WriteHidingLiving(GEDCOMdb& database, const LivingExport& request, std::string* failure) {
    const GedcomReader& loaded = database.Reader();
    const std::string fileName = loaded.GetFileName();
    if (fileName.empty()) return Fail(E_FAIL, "No file is loaded", failure);
    const DatabaseOptions& options = database.Options();
    if (options.decodeTextAutomatically && loaded.Encoding() != TextEncoding::Utf8 &&
        !IsAscii(request.livingName))
        return Fail(E_INVALIDARG,
                    "The name \"" + request.livingName +
                        "\" cannot be written in the character set of the file; use ASCII letters",
                    failure);

    GedcomReader scan;
    scan.SetTolerance(options.readLongLines, options.joinLinesWithoutLevel);
    RawFile original;
    if (FAILED(scan.Open(fileName)) || !original.Open(fileName))
        return Fail(E_FAIL, "The loaded file '" + fileName + "' cannot be read again", failure);
    // Positions are those of the image the load read, when it read one.
    EncodingChoice choice;
    if (loaded.UsesImage()) {
        choice = ChooseEncoding(scan.ReadAll());
        if (choice.useImage) scan.UseImage(std::move(choice.image));
    }
    const std::string changed = "The file '" + fileName + "' has changed since it was loaded";
    if (scan.GetLength() != loaded.GetLength()) return Fail(E_FAIL, changed, failure);

    database.SetConfidentiality(request.years);
    const Counts counts = CountHidden(database);

    OutputFile output;
    if (!output.Create(request.path))
        return Fail(E_FAIL, "Cannot write '" + request.path + "': " + output.Failure(), failure);
    // A UTF-16 file is copied from its image, anything else byte for byte
    // from the file itself (an image only gave lone CRs a LF).
    const bool fromImage = choice.utf16 != Utf16::None;
    CopyWriter writer(
        output,
        [&](uint64_t offset, char* buffer, size_t count) {
            return fromImage ? scan.ReadBytes(offset, buffer, count)
                             : original.ReadAt(offset, buffer, count);
        },
        choice.utf16, choice.utf16Mark);
    LivingCopy(database, writer, NoteTexts(counts, request), request.livingName,
               CharLineFor(scan, loaded, options.decodeTextAutomatically, choice.utf16))
        .Run(scan);
    if (!writer.Finish()) return Fail(E_FAIL, changed, failure);
    if (!output.Commit())
        return Fail(E_FAIL, "Cannot write '" + request.path + "': " + output.Failure(), failure);
    return S_OK;
}

}  // namespace kinfold
