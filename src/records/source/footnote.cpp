#include "records/source/footnote.h"

#include "records/person/on_demand_records.h"
#include "records/source/note_record.h"
#include "records/source/repository_record.h"
#include "records/source/source_record.h"

namespace kinfold {
namespace {

// A repeat block (%R ... %R, %C ... %C, %N ... %N) while the walk is inside
// it: where it opened and closes, and the element of its list it is at.
struct Block {
    bool active = false;
    size_t start = 0;
    size_t end = 0;
    size_t counter = 0;
    RecordBase* current = nullptr;
};

class FootnoteWalk {
   public:
    FootnoteWalk(const GDSourceRecord& source, const GDSourceRecord& fields)
        : source_(source), fields_(fields) {
        // Notes are gathered whatever the format holds, as a pointer that names
        // no note is reported whenever a footnote is made.
        const auto noteFactory = &CreateRecordOf<RecordKind::Note>;
        BuildOnDemandRecords(source, "NOTE", noteFactory, notes_);
        if (&fields != &source) BuildOnDemandRecords(fields, "NOTE", noteFactory, notes_);
    }

    std::string Run(const FootnoteFormat& format) {
        const auto& tokens = format.Tokens();
        for (size_t k = 0; k < tokens.size(); ++k) {
            const FootnoteFormat::Token& token = tokens[k];
            switch (token.code) {
                case 0:
                    Add(token.text);
                    break;
                case '%':
                    Add("%");
                    break;
                case '.':
                    if (!last_.empty() && out_.back() != '.') out_ += '.';
                    last_.clear();
                    break;
                case 'a':
                    Add(fields_.ReadTagText("AUTH"));
                    break;
                case 't':
                    Add(fields_.OwnTitle());
                    break;
                case 'f':
                    Add(fields_.ReadTagText("PUBL"));
                    break;
                case 'p':
                    Add(source_.ReadTagText("PAGE"));
                    break;
                case 'r':
                    if (RecordBase* repository = Current(repositoryBlock_, Repositories().Front()))
                        Add(AsRepository(repository).FootnoteName());
                    break;
                case 'c':
                    if (RecordBase* callNumber = Current(callNumberBlock_, FirstCallNumber()))
                        Add(callNumber->Value());
                    break;
                case 'n':
                    if (RecordBase* note = Current(noteBlock_, notes_.Front()))
                        Add(static_cast<const GDNoteRecord*>(note)->Text());
                    break;
                case 'R':
                    k = Repeat(repositoryBlock_, &Repositories(), k, token.blockEnd);
                    break;
                case 'C':
                    k = Repeat(callNumberBlock_, CallNumberList(), k, token.blockEnd);
                    break;
                case 'N':
                    k = Repeat(noteBlock_, &notes_, k, token.blockEnd);
                    break;
            }
        }
        return out_;
    }

   private:
    static const GDRepositoryRecord& AsRepository(RecordBase* record) {
        return *static_cast<const GDRepositoryRecord*>(record);
    }

    void Add(std::string_view text) {
        last_.assign(text.data(), text.size());
        out_ += last_;
    }

    const RecordList& Repositories() const { return fields_.Repositories(); }

    // Inside a block the field codes use its element, elsewhere the first one.
    static RecordBase* Current(const Block& block, RecordBase* first) {
        return block.active && block.current != nullptr ? block.current : first;
    }

    // The call numbers of the repository the walk is at, or of the first.
    const RecordList* CallNumberList() const {
        RecordBase* repository = Current(repositoryBlock_, Repositories().Front());
        return repository != nullptr ? &AsRepository(repository).CallNumbers() : nullptr;
    }

    RecordBase* FirstCallNumber() const {
        RecordBase* repository = Repositories().Front();
        return repository != nullptr ? AsRepository(repository).CallNumbers().Front() : nullptr;
    }

    // Meeting a block's code at `k`: opens the block or goes round it again,
    // and moves on to its next element; past the last, the walk continues
    // after the closing code. Returns the token index the walk is at.
    static size_t Repeat(Block& block, const RecordList* list, size_t k, size_t blockEnd) {
        if (!block.active) {
            if (blockEnd == FootnoteFormat::kNoEnd) return k;
            block.active = true;
            block.start = k;
            block.end = blockEnd;
            block.counter = 0;
        } else {
            k = block.start;
            ++block.counter;
        }
        if (list != nullptr && block.counter < list->Size()) {
            block.current = list->At(block.counter);
            return k;
        }
        block.current = nullptr;
        block.active = false;
        return block.end;
    }

    const GDSourceRecord& source_;
    const GDSourceRecord& fields_;
    RecordList notes_;
    Block repositoryBlock_;
    Block callNumberBlock_;
    Block noteBlock_;
    std::string out_;
    std::string last_;
};

}  // namespace

std::string BuildFootnote(const GDSourceRecord& source, const FootnoteFormat& format) {
    // A pointer citation takes its fields from the source record it names,
    // whether or not the database merges citations with their sources.
    const GDSourceRecord* fields = &source;
    if (source.Form() == ReferenceForm::Pointer) {
        fields = source.Master();
        if (fields == nullptr) return std::string();
    }
    return FootnoteWalk(source, *fields).Run(format);
}

}  // namespace kinfold
