// The answers of the records a level-rules file holds, as the library gives
// them through the records' interfaces, in the form AnswersByRules gives.
#include <cstdint>

#include "platform/text.h"
#include "support/interface_reading.h"
#include "support/level_rules.h"

namespace kinfold::test {
namespace {

std::string DateOf(IGDFactEventRecord* event) {
    return event == nullptr ? "none" : TextOf(event, &IGDFactEventRecord::get_Date);
}

void AddEvents(std::vector<std::string>& out, IGDFactEvents* events) {
    ForEachItem<IGDFactEventRecord>(events, [&](IGDFactEventRecord* event, size_t i) {
        out.push_back(NumberedAnswer(
            "event", i,
            TextOf(event, &IGDFactEventRecord::get_GEDCOMTag) + " date " + DateOf(event)));
    });
}

void AddLinks(std::vector<std::string>& out, const char* what, IGDFamilyLinks* links) {
    ForEachItem<IGDFamilyLinkRecord>(links, [&](IGDFamilyLinkRecord* link, size_t i) {
        IGDFamilyRecord* family = nullptr;
        if (link != nullptr) link->get_Link(&family);
        out.push_back(
            NumberedAnswer(what, i,
                           TextOf(family, &IGDFamilyRecord::get_ID) + " " +
                               TextOf(link, &IGDFamilyLinkRecord::get_PedigreeLinkageType)));
        Release(family);
    });
}

std::vector<std::string> SourceAnswers(IGDSourceRecord* source) {
    std::vector<std::string> out;
    if (source == nullptr) return {"no such source"};
    IGDRepositories* repositories = nullptr;
    source->get_Repositories(&repositories);
    ForEachItem<IGDRepositoryRecord>(repositories, [&](IGDRepositoryRecord* repository, size_t i) {
        std::string text = TextOf(repository, &IGDRepositoryRecord::get_Name);
        IGDCallNumbers* calls = nullptr;
        if (repository != nullptr) repository->get_CallNumbers(&calls);
        ForEachItem<IGDCallNumberRecord>(calls, [&](IGDCallNumberRecord* call, size_t) {
            text += " [" + TextOf(call, &IGDCallNumberRecord::get_CallNumber) + "]";
        });
        out.push_back(NumberedAnswer("repository", i, text));
    });
    return out;
}

}  // namespace

std::vector<std::string> IndividualAnswers(IGDIndividualRecord* person) {
    std::vector<std::string> out;
    if (person == nullptr) return {"no such individual"};
    out.push_back("sex " + TextOf(person, &IGDIndividualRecord::get_Sex));
    IGDNames* names = nullptr;
    person->get_Names(&names);
    ForEachItem<IGDNameRecord>(names, [&](IGDNameRecord* name, size_t i) {
        out.push_back(NumberedAnswer("name", i,
                                     TextOf(name, &IGDNameRecord::get_GivenName) + "|" +
                                         TextOf(name, &IGDNameRecord::get_Surname) + "|" +
                                         TextOf(name, &IGDNameRecord::get_FullName)));
    });
    IGDFamilyLinks* links = nullptr;
    person->get_ChildFamilyLinks(&links);
    AddLinks(out, "child link", links);
    links = nullptr;
    person->get_SpouseFamilyLinks(&links);
    AddLinks(out, "spouse link", links);
    IGDFactEvents* events = nullptr;
    person->get_Events(Omitted(), &events);
    AddEvents(out, events);
    for (bool birth : {true, false}) {
        IGDFactEventRecord* event = nullptr;
        birth ? person->get_Birth(&event) : person->get_Death(&event);
        out.push_back((birth ? "birth " : "death ") + DateOf(event));
        Release(event);
    }
    return out;
}

std::vector<std::string> FamilyAnswers(IGDFamilyRecord* family) {
    std::vector<std::string> out;
    if (family == nullptr) return {"no such family"};
    for (bool husband : {true, false}) {
        IGDIndividualRecord* partner = nullptr;
        husband ? family->get_Husband(&partner) : family->get_Wife(&partner);
        out.push_back((husband ? "husband " : "wife ") +
                      TextOf(partner, &IGDIndividualRecord::get_ID));
        Release(partner);
    }
    IGDIndividuals* children = nullptr;
    family->get_Children(&children);
    ForEachItem<IGDIndividualRecord>(children, [&](IGDIndividualRecord* child, size_t i) {
        out.push_back(NumberedAnswer("child", i, TextOf(child, &IGDIndividualRecord::get_ID)));
    });
    IGDFactEvents* events = nullptr;
    family->get_Events(Omitted(), &events);
    AddEvents(out, events);
    IGDFactEventRecord* married = nullptr;
    family->get_Married(&married);
    out.push_back("married " + DateOf(married));
    Release(married);
    return out;
}

std::vector<std::string> AnswersOf(IGEDCOMdb* db, const std::vector<GeneratedRecord>& records,
                                   size_t index) {
    BSTR id = AllocBstr(GeneratedId(records[index], index));
    std::vector<std::string> out;
    VARIANT key;
    VariantInit(&key);
    key.vt = VT_BSTR;
    key.bstrVal = id;
    switch (records[index].kind) {
        case GeneratedKind::Individual: {
            IGDIndividualRecord* person = nullptr;
            db->GetIndividualFromID(id, &person);
            out = IndividualAnswers(person);
            Release(person);
            break;
        }
        case GeneratedKind::Family: {
            IGDFamilies* families = nullptr;
            IGDFamilyRecord* family = nullptr;
            if (SUCCEEDED(db->get_Families(&families))) families->get_Item(key, &family);
            out = FamilyAnswers(family);
            Release(family);
            Release(families);
            break;
        }
        case GeneratedKind::Source: {
            IGDSources* sources = nullptr;
            IGDSourceRecord* source = nullptr;
            if (SUCCEEDED(db->get_Sources(&sources))) sources->get_Item(key, &source);
            out = SourceAnswers(source);
            Release(source);
            Release(sources);
            break;
        }
    }
    SysFreeString(id);
    return out;
}

}  // namespace kinfold::test
