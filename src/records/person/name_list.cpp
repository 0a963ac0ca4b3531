#include "records/person/name_list.h"

#include <new>
#include <utility>

#include "core/gedcom_line.h"
#include "core/lazy_record_list.h"
#include "core/record_factory.h"
#include "records/person/name_record.h"
#include "records/person/name_split.h"

namespace kinfold {

bool NameList::Add(const GedcomLine& line) {
    try {
        const NameSplit parts = SplitName(line.Value());
        TextTriple split;
        split.Assign(parts.givenName, parts.surname, parts.fullName);
        lines_.emplace_back(std::move(split), line.Position(), line.Level());
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void NameList::TakeNamePart(const GedcomLine& line) {
    const std::string_view tag = line.Tag();
    if (lines_.empty() || (tag != "SURN" && tag != "GIVN")) return;
    // The new block is filled before the old one goes, so the parts kept
    // may be copied from it.
    TextTriple& split = lines_.back().split_;
    split.Assign(tag == "GIVN" ? line.Value() : split.Part(0),
                 tag == "SURN" ? line.Value() : split.Part(1), split.Part(2));
}

void NameList::SetConfidentialState(int32_t state) {
    for (NameLine& line : lines_) {
        line.state_ = static_cast<int16_t>(state);
        if (line.object_ != nullptr) line.object_->SetConfidentialState(state);
    }
}

RecordBase* NameList::ObjectAt(const RecordBase& owner, size_t index) const {
    NameLine& line = lines_[index];
    if (line.object_ == nullptr) {
        line.object_ = MakeKeptLineObject(
            RecordKind::Name, owner.Database(), line.position_, line.level_, OpeningLine::KeptOnly,
            [&](RecordBase& made) {
                static_cast<GDNameRecord&>(made).KeepSplit(line.GivenName(), line.Surname(),
                                                           line.FullName());
                made.SetConfidentialState(line.state_);
            });
    }
    return line.object_;
}

}  // namespace kinfold
