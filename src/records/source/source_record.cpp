#include "records/source/source_record.h"

#include <algorithm>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "access/collections.h"
#include "access/file_text.h"
#include "core/record_factory.h"
#include "records/person/on_demand_records.h"
#include "records/person/tag_value.h"
#include "records/source/footnote.h"
#include "records/source/forwarding.h"
#include "records/source/record_options.h"
#include "records/source/source_data_record.h"

namespace kinfold {

bool GDSourceRecord::TakeSubLine(const GedcomLine& line, RecordBase** child) {
    *child = nullptr;
    // The lines under DATA come to this record too, so a REPO there is kept.
    if (line.Tag() == "DATA") return true;
    if (line.Tag() == "REPO") return AppendNewChild(RecordKind::Repository, repositories_, child);
    return false;
}

// A repository citation whose pointer names no repository fails the link,
// unless the database drops such lines: the source then does without it.
HRESULT GDSourceRecord::Link(RecordHost& database) {
    HRESULT hr = LinkedRecord::Link(database);
    if (FAILED(hr)) return hr;
    std::vector<const RecordBase*> dropped;
    for (RecordBase* repository : repositories_) {
        hr = repository->Link(database);
        if (SUCCEEDED(hr)) continue;
        if (!database.DropDanglingPointer(*this, repository->Position())) return hr;
        dropped.push_back(repository);
    }
    if (!dropped.empty())
        repositories_.RemoveIf([&](const RecordBase* repository) {
            return std::find(dropped.begin(), dropped.end(), repository) != dropped.end();
        });
    return S_OK;
}

void GDSourceRecord::DropReferences() {
    RecordBase::DropReferences();
    repositories_.DropReferences();
}

bool GDSourceRecord::IsMerged() const {
    return Form() == ReferenceForm::Pointer && OptionsOf(*this).mergeCitationAndMasterSource != 0;
}

std::string GDSourceRecord::OwnTitle() const {
    switch (Form()) {
        case ReferenceForm::Record:
            return ReadTagText("TITL");
        case ReferenceForm::Inline:
            return ReadText(Position());
        case ReferenceForm::Pointer:
            break;
    }
    return std::string();
}

HRESULT GDSourceRecord::get_Footnote(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    return ReturnFileText(*this, pVal,
                          [&] { return BuildFootnote(*this, OptionsOf(*this).footnoteFormat); });
}

HRESULT GDSourceRecord::get_Author(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    if (IsMerged()) return ForwardTo(*this, &GDSourceRecord::get_Author, pVal);
    return ReturnFileText(*this, pVal, [&] { return ReadTagText("AUTH"); });
}

HRESULT GDSourceRecord::get_PublicationFacts(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    if (IsMerged()) return ForwardTo(*this, &GDSourceRecord::get_PublicationFacts, pVal);
    return ReturnFileText(*this, pVal, [&] { return ReadTagText("PUBL"); });
}

HRESULT GDSourceRecord::get_Title(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    if (IsMerged()) return ForwardTo(*this, &GDSourceRecord::get_Title, pVal);
    return ReturnFileText(*this, pVal, [&] { return OwnTitle(); });
}

HRESULT GDSourceRecord::get_AbbreviatedTitle(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    if (IsMerged()) return ForwardTo(*this, &GDSourceRecord::get_AbbreviatedTitle, pVal);
    return ReturnTagValue(pVal, *this, "ABBR");
}

HRESULT GDSourceRecord::get_Repositories(IGDRepositories** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    if (IsMerged()) return ForwardTo(*this, &GDSourceRecord::get_Repositories, pVal);
    return MakeLiveCollection(pVal, repositories_, static_cast<RecordBase*>(this));
}

HRESULT GDSourceRecord::get_UserRefNumbers(IGDReferenceNumbers** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    if (IsMerged()) return ForwardTo(*this, &GDSourceRecord::get_UserRefNumbers, pVal);
    return ReturnUserRefNumbers(pVal, *this);
}

// Merged, the citation's own notes come first, then the source record's.
HRESULT GDSourceRecord::get_Notes(IGDNotes** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    const bool merged = IsMerged();
    if (merged && Master() == nullptr) return ReportError(kInvalidReference);
    std::unique_ptr<RecordList> notes(new (std::nothrow) RecordList);
    if (notes != nullptr) {
        const auto noteFactory = &CreateRecordOf<RecordKind::Note>;
        BuildOnDemandRecords(*this, "NOTE", noteFactory, *notes);
        if (merged) BuildOnDemandRecords(*Master(), "NOTE", noteFactory, *notes);
    }
    return MakeBuiltCollection(pVal, std::move(notes));
}

HRESULT GDSourceRecord::get_Certainty(BSTR* pVal) { return ReturnTagValue(pVal, *this, "QUAY"); }

HRESULT GDSourceRecord::get_EventCitedFrom(BSTR* pVal) {
    return ReturnTagValue(pVal, *this, "EVEN");
}

HRESULT GDSourceRecord::get_Page(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    return ReturnFileText(*this, pVal, [&] { return ReadTagText("PAGE"); });
}

HRESULT GDSourceRecord::get_RecordID(BSTR* pVal) { return ReturnTagValue(pVal, *this, "RIN"); }

HRESULT GDSourceRecord::get_RoleInEvent(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    return ReturnFileText(*this, pVal, [&] { return ReadNestedValue("EVEN", "ROLE"); });
}

HRESULT GDSourceRecord::get_RecordType(gd_SourceRecordType* pVal) {
    return ReturnValue(pVal, Form() == ReferenceForm::Record ? gd_srcMaster : gd_srcCitation);
}

HRESULT GDSourceRecord::get_MasterSource(IGDSourceRecord** pVal) {
    return ReturnObject(pVal, static_cast<RecordBase*>(Master()));
}

HRESULT GDSourceRecord::get_Multimedia(IGDMultimedia** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "OBJE", &CreateRecordOf<RecordKind::Multimedia>);
}

HRESULT GDSourceRecord::get_LastModified(IGDChangeDateRecord** pVal) {
    return ReturnLastModified(pVal, *this);
}

HRESULT GDSourceRecord::get_Data(IGDSourceDataRecord** pVal) {
    return ReturnSourceData(pVal, *this);
}

HRESULT GDSourceRecord::get_Tag(VARIANT* pVal) { return tag_.Get(pVal); }
HRESULT GDSourceRecord::put_Tag(VARIANT newVal) { return tag_.Put(newVal); }
HRESULT GDSourceRecord::putref_Tag(VARIANT newVal) { return tag_.Put(newVal); }

}  // namespace kinfold
