// The assistant answers queries over the records of its database: it
// extracts and sorts individuals, lists relatives, describes event tags and
// computes phonetic codes (Soundex, Daitch-Mokotoff, Cologne) and names how
// two individuals are related; it also writes a copy of the file with the
// individuals who may be living hidden.
#pragma once

#include "access/com_object.h"
#include "kinfold.h"
#include "kinfold_unimplemented.h"

namespace kinfold {

class GEDCOMdb;

class GDAssistant : public ObjectRoot,
                    public DualInterface<IGDAssistant2, Unimplemented<IGDAssistant2>>,
                    public ErrorInfoSupport<IGDAssistant2, IGDAssistant> {
   public:
    // A plain back reference: the database holds the assistant, not the
    // reverse. Made by a class object on its own, the assistant has no
    // database: it finds no individual and owns no record a host passes in.
    explicit GDAssistant(GEDCOMdb* database = nullptr) : database_(database) {}

    void* FindInterface(REFIID riid) override {
        return LookupInterface<IGDAssistant2, IGDAssistant, ISupportErrorInfo>(this, riid);
    }

    // Extraction and sorting (individual_extraction.cpp).
    HRESULT STDMETHODCALLTYPE ExtractIndividuals(gd_SubCategories SubCategory, VARIANT Criteria,
                                                 gd_IndSortOrder SortOrder,
                                                 IGDIndividuals** pVal) override;
    HRESULT STDMETHODCALLTYPE SortIndividuals(VARIANT IndList, gd_IndSortOrder SortOrder,
                                              IGDIndividuals** pVal) override;

    // Relatives (relatives_members.cpp).
    HRESULT STDMETHODCALLTYPE ExtractRelatives(gd_RelationalColType ColType,
                                               VARIANT Source_Descendant, VARIANT Ancestor,
                                               IGDIndividuals** pVal) override;
    HRESULT STDMETHODCALLTYPE GenerationsOfAncestors(IGDIndividualRecord* Ind, int* pVal) override;
    HRESULT STDMETHODCALLTYPE GenerationsOfDescendants(IGDIndividualRecord* Ind,
                                                       int* pVal) override;
    HRESULT STDMETHODCALLTYPE IsAncestor(IGDIndividualRecord* Ancestor,
                                         IGDIndividualRecord* Descendant,
                                         VARIANT_BOOL* pVal) override;
    HRESULT STDMETHODCALLTYPE GetFamilyFromSpouses(IGDIndividualRecord* Spouse1,
                                                   IGDIndividualRecord* Spouse2,
                                                   IGDFamilyRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE Relationship(IGDIndividualRecord* Ind1, IGDIndividualRecord* Ind2,
                                           IGDRelationships** pVal) override;

    // Texts (gd_assistant.cpp).
    HRESULT STDMETHODCALLTYPE GetFactEventTypeDescription(BSTR Type, BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE Soundex(BSTR Name, BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE PhoneticCodes(BSTR Name, BSTR Method, IGDList** pVal) override;

    // The copy that is safe to share (gd_assistant.cpp, living_export.cpp).
    HRESULT STDMETHODCALLTYPE ExportHidingLiving(BSTR FileName, VARIANT Years, VARIANT LivingName,
                                                 VARIANT_BOOL* pVal) override;

   private:
    GEDCOMdb* database_;
};

}  // namespace kinfold
