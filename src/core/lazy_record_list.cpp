#include "core/lazy_record_list.h"

#include "core/gedcom_reader.h"
#include "core/record_host.h"

namespace kinfold {

GedcomLine KeptOpeningLine(RecordHost* database, int32_t position, int16_t level) {
    GedcomLine line;
    GedcomReader* reader = database != nullptr ? &database->Reader() : nullptr;
    if (reader != nullptr && SUCCEEDED(reader->Seek(static_cast<uint32_t>(position))) &&
        reader->ReadContentLine(line) && line.Position() == position)
        return line;
    GedcomLine kept;
    kept.SetPosition(position);
    kept.SetLevel(level);
    return kept;
}

LazyRecordList::~LazyRecordList() {
    for (const Line& line : lines_)
        if (line.object != nullptr) line.object->Release();
}

bool LazyRecordList::Add(const GedcomLine& line) {
    try {
        lines_.emplace_back(Line{line.Position(), line.Level(), 2, nullptr});
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

int32_t LazyRecordList::ConfidentialStateAt(size_t index) const {
    const Line& line = lines_[index];
    return line.object != nullptr ? line.object->ConfidentialState() : line.state;
}

void LazyRecordList::SetConfidentialState(int32_t state) {
    for (Line& line : lines_) {
        line.state = static_cast<int16_t>(state);
        if (line.object != nullptr) line.object->SetConfidentialState(state);
    }
}

SubLine LazyRecordList::LineAt(const RecordBase& owner, size_t index) const {
    if (index >= lines_.size()) return SubLine();
    return SubLine(owner, lines_[index].position, ConfidentialStateAt(index));
}

RecordBase* LazyRecordList::ObjectAt(const RecordBase& owner, size_t index) const {
    Line& line = lines_[index];
    if (line.object == nullptr) {
        line.object = MakeKeptLineObject(RecordKind::FactEvent, owner.Database(), line.position,
                                         line.level, OpeningLine::FromFile, [&](RecordBase& made) {
                                             made.SetConfidentialState(line.state);
                                         });
    }
    return line.object;
}

void LazyRecordList::DropReferences() {
    for (const Line& line : lines_)
        if (line.object != nullptr) line.object->DropReferences();
}

}  // namespace kinfold
