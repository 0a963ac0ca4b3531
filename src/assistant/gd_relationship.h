// One relationship the assistant found: its name and kind as text, and the
// common ancestors and path as lists of the database's individuals, which
// the object holds so that they outlive the call.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "access/com_object.h"
#include "access/host_tag.h"
#include "assistant/relationship.h"
#include "core/record_list.h"
#include "kinfold.h"

namespace kinfold {

class GDRelationship : public ObjectRoot, public DualInterface<IGDRelationship> {
   public:
    GDRelationship(std::string name, std::string kind, std::unique_ptr<RecordList> commonAncestors,
                   std::unique_ptr<RecordList> path)
        : name_(std::move(name)),
          kind_(std::move(kind)),
          commonAncestors_(std::move(commonAncestors)),
          path_(std::move(path)) {}

    void* FindInterface(REFIID riid) override {
        return LookupInterface<IGDRelationship>(this, riid);
    }
    HRESULT STDMETHODCALLTYPE get_Name(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Kind(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_CommonAncestors(IGDIndividuals** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Path(IGDIndividuals** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Tag(VARIANT* pVal) override;
    HRESULT STDMETHODCALLTYPE put_Tag(VARIANT newVal) override;
    HRESULT STDMETHODCALLTYPE putref_Tag(VARIANT newVal) override;

   private:
    std::string name_;
    std::string kind_;
    std::unique_ptr<RecordList> commonAncestors_;
    std::unique_ptr<RecordList> path_;
    HostTag hostTag_;
};

// The relations as a GDRelationships collection, closest first.
HRESULT MakeRelationships(IGDRelationships** out, std::vector<Relation> relations);

}  // namespace kinfold
