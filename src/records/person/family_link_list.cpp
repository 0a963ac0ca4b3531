#include "records/person/family_link_list.h"

#include <new>

#include "core/gedcom_line.h"
#include "core/lazy_record_list.h"
#include "core/record_factory.h"
#include "core/record_host.h"
#include "records/person/family_link_record.h"

namespace kinfold {

bool FamilyLinkList::Add(const GedcomLine& line, bool childLink) {
    try {
        lines_.emplace_back(line.Position(), line.Level(), line.Pointer(), childLink);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool FamilyLinkList::WritePedigree(std::string_view pedigree) {
    if (lines_.empty()) return false;
    FamilyLinkLine& line = lines_.back();
    try {
        line.pedigree_.Assign(pedigree);
    } catch (const std::bad_alloc&) {
        return false;
    }
    line.pedigreeWritten_ = true;
    return true;
}

HRESULT FamilyLinkList::Link(RecordHost& database, const RecordBase& owner) {
    bool dropping = false;
    for (FamilyLinkLine& line : lines_) {
        RecordBase* family = database.FindRecord(RecordKind::Family, line.family_.Text());
        if (family != nullptr) {
            line.family_.SetLinked(family);
            continue;
        }
        if (!database.DropDanglingPointer(owner, line.position_)) return E_FAIL;
        dropping = true;
    }
    // No object is made before linking ends, so a dropped line has none.
    if (dropping)
        lines_.remove_if([](const FamilyLinkLine& line) { return !line.family_.Linked(); });
    return S_OK;
}

void FamilyLinkList::DropReferences() {
    for (FamilyLinkLine& line : lines_) line.family_.SetLinked(nullptr);
    DropObjectReferences();
}

RecordBase* FamilyLinkList::ObjectAt(const RecordBase& owner, size_t index) const {
    FamilyLinkLine& line = lines_[index];
    if (line.object_ == nullptr) {
        line.object_ = MakeKeptLineObject(
            RecordKind::FamilyLink, owner.Database(), line.position_, line.level_,
            OpeningLine::KeptOnly, [&](RecordBase& made) {
                auto& link = static_cast<GDFamilyLinkRecord&>(made);
                link.KeepPedigree(line.childLink_,
                                  line.pedigreeWritten_ ? &line.pedigree_ : nullptr);
                link.SetTarget(line.family_.Target());
            });
    }
    return line.object_;
}

}  // namespace kinfold
