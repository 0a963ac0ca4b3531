#include "assistant/living_export.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "assistant/copy_writer.h"
#include "core/encoding_detection.h"
#include "core/gedcom_line.h"
#include "core/gedcom_reader.h"
#include "db/gedcom_db.h"
#include "platform/output_file.h"
#include "platform/raw_file.h"
#include "records/person/family_record.h"
#include "records/person/individual_record.h"

namespace kinfold {

namespace {

bool IsHidden(const RecordBase* individual) {
    return individual != nullptr && individual->ConfidentialState() == 1;
}

// A family loses its events when it has a partner and every partner is
// hidden: the dates of a marriage would tell what the partners' records no
// longer do.
bool PartnersAllHidden(const GDFamilyRecord& family) {
    bool any = false;
    for (const IndividualLine* partner : {family.Husband(), family.Wife()}) {
        if (partner == nullptr || partner->Target() == nullptr) continue;
        if (!IsHidden(partner->Target())) return false;
        any = true;
    }
    return any;
}

// The records of one store by the position of their level-0 line. A blank
// line after a level-0 line opens a second record, without an ID, at the
// same position; the one with the ID keeps the place.
std::unordered_map<int32_t, RecordBase*> ByPosition(const RecordStore& store) {
    std::unordered_map<int32_t, RecordBase*> records;
    records.reserve(store.Size());
    for (RecordBase* record : store) {
        auto [slot, added] = records.emplace(record->Position(), record);
        if (!added && slot->second->Id().empty()) slot->second = record;
    }
    return records;
}

// What stands in the place of a hidden individual's sub-lines.
std::string HiddenIndividualLines(const GDIndividualRecord& person, std::string_view name) {
    std::string lines = "1 NAME ";
    lines.append(name).append("\n");
    const char sex = person.Sex();
    if (sex == '\0')
        lines += "1 SEX\n";
    else if (sex > ' ' && sex < 0x7F && sex != '?')
        lines.append("1 SEX ").append(1, sex).append("\n");
    for (const FamilyLinkLine& link : person.ChildFamilyLinks()) {
        if (link.Target() == nullptr) continue;
        lines.append("1 FAMC ").append(link.Target()->Id()).append("\n");
        if (!link.WrittenPedigree().empty())
            lines.append("2 PEDI ").append(link.WrittenPedigree()).append("\n");
    }
    for (const FamilyLinkLine& link : person.SpouseFamilyLinks())
        if (link.Target() != nullptr)
            lines.append("1 FAMS ").append(link.Target()->Id()).append("\n");
    return lines;
}

struct Counts {
    size_t individuals = 0;
    size_t hidden = 0;
    size_t familiesWithoutEvents = 0;
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
    if (counts.familiesWithoutEvents != 0)
        texts.push_back(std::to_string(counts.familiesWithoutEvents) +
                        (counts.familiesWithoutEvents == 1 ? " family" : " families") +
                        " whose partners are all hidden lost " +
                        (counts.familiesWithoutEvents == 1 ? "its" : "their") + " events.");
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

// The walk over the lines of the file, as the loader read them, deciding
// for each whether it is kept.
class LivingCopy {
   public:
    LivingCopy(GEDCOMdb& database, CopyWriter& writer, std::vector<std::string> note,
               std::string_view livingName)
        : database_(database),
          writer_(writer),
          note_(std::move(note)),
          livingName_(livingName),
          individuals_(ByPosition(database.IndividualStore())),
          families_(ByPosition(database.FamilyStore())) {}

    void Run(GedcomReader& scan) {
        GedcomLine line;
        LineKind kind = LineKind::Blank;
        uint32_t at = scan.Position();
        if (!HasHeader()) at = InsertHeader(scan);
        while (scan.ReadLine(line, &kind)) {
            const uint32_t next = scan.Position();
            const bool content = kind == LineKind::Content;
            if (content && line.Level() == 0) {
                if (mode_ == Mode::Header) FinishHeader();
                mode_ = OpenRecord(line, scan.LastLinePosition(), at, next);
            } else {
                TakeSubLine(line, content, scan.LastLinePosition(), at, next);
            }
            at = next;
        }
        if (mode_ == Mode::Header) FinishHeader();
    }

   private:
    enum class Mode { Copy, Header, HiddenIndividual, HiddenFamily, LeftOut };
    enum class HeaderNote { None, Inside, Done };

    bool HasHeader() {
        IGDHeaderRecord* header = nullptr;
        if (FAILED(database_.get_Header(&header)) || header == nullptr) return false;
        header->Release();
        return true;
    }

    // A file without a header gets one, after a UTF-8 byte-order mark;
    // returns where the copy of the file goes on.
    uint32_t InsertHeader(GedcomReader& scan) {
        char mark[3] = {};
        const bool marked =
            scan.ReadBytes(0, mark, 3) == 3 && std::string_view(mark, 3) == "\xEF\xBB\xBF";
        if (marked) writer_.Keep(0, 3);
        writer_.Insert("0 HEAD\n" + NoteLines(note_, false));
        return marked ? 3 : 0;
    }

    Mode OpenRecord(const GedcomLine& line, int32_t position, uint32_t from, uint32_t to) {
        const std::string_view tag = line.Tag();
        if (tag == "HEAD" && !headerSeen_) {
            headerSeen_ = true;
            writer_.Keep(from, to);
            return Mode::Header;
        }
        if (tag == "INDI") {
            auto [person, duplicate] = Find(individuals_, RecordKind::Individual, line, position);
            if (IsHidden(person)) {
                if (duplicate) return Mode::LeftOut;
                writer_.Keep(from, to);
                writer_.Insert(HiddenIndividualLines(
                    *static_cast<const GDIndividualRecord*>(person), livingName_));
                return Mode::HiddenIndividual;
            }
        } else if (tag == "FAM") {
            auto [family, duplicate] = Find(families_, RecordKind::Family, line, position);
            if (family != nullptr && PartnersAllHidden(*static_cast<GDFamilyRecord*>(family))) {
                if (duplicate) return Mode::LeftOut;
                const LazyRecordList& events = static_cast<GDFamilyRecord*>(family)->Events();
                eventPositions_.clear();
                for (size_t i = 0; i < events.Size(); ++i)
                    eventPositions_.insert(events.PositionAt(i));
                dropping_ = false;
                writer_.Keep(from, to);
                return Mode::HiddenFamily;
            }
        }
        writer_.Keep(from, to);
        return Mode::Copy;
    }

    void TakeSubLine(const GedcomLine& line, bool content, int32_t position, uint32_t from,
                     uint32_t to) {
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
            case Mode::HiddenFamily:
                if (dropping_ && (!content || line.Level() > dropLevel_)) return;
                dropping_ = content && eventPositions_.count(position) != 0;
                dropLevel_ = line.Level();
                if (!dropping_) writer_.Keep(from, to);
                return;
            case Mode::HiddenIndividual:
            case Mode::LeftOut:
                return;
        }
    }

    void FinishHeader() {
        if (headerNote_ != HeaderNote::Done)
            writer_.Insert(NoteLines(note_, headerNote_ == HeaderNote::Inside));
        headerNote_ = HeaderNote::Done;
    }

    // The record loaded from the level-0 line at `position`, else the one
    // holding its ID: an earlier record with the same ID (a duplicate).
    std::pair<RecordBase*, bool> Find(const std::unordered_map<int32_t, RecordBase*>& records,
                                      RecordKind kind, const GedcomLine& line,
                                      int32_t position) const {
        const auto found = records.find(position);
        if (found != records.end()) return {found->second, false};
        if (line.Id().empty()) return {nullptr, false};
        return {database_.FindRecord(kind, line.Id()), true};
    }

    GEDCOMdb& database_;
    CopyWriter& writer_;
    const std::vector<std::string> note_;
    const std::string_view livingName_;
    const std::unordered_map<int32_t, RecordBase*> individuals_;
    const std::unordered_map<int32_t, RecordBase*> families_;
    Mode mode_ = Mode::Copy;
    bool headerSeen_ = false;
    HeaderNote headerNote_ = HeaderNote::None;
    std::unordered_set<int32_t> eventPositions_;
    bool dropping_ = false;
    int16_t dropLevel_ = 0;
};

Counts CountHidden(GEDCOMdb& database) {
    Counts counts;
    counts.individuals = database.IndividualStore().Size();
    for (const RecordBase* person : database.IndividualStore())
        if (IsHidden(person)) ++counts.hidden;
    for (const RecordBase* family : database.FamilyStore())
        if (PartnersAllHidden(*static_cast<const GDFamilyRecord*>(family)))
            ++counts.familiesWithoutEvents;
    return counts;
}

bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
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
    LivingCopy(database, writer, NoteTexts(counts, request), request.livingName).Run(scan);
    if (!writer.Finish()) return Fail(E_FAIL, changed, failure);
    if (!output.Commit())
        return Fail(E_FAIL, "Cannot write '" + request.path + "': " + output.Failure(), failure);
    return S_OK;
}

}  // namespace kinfold
