// kinfold show FILE ID: one record with what hangs from it. Individuals show
// their names, events, parents, families and citations; families their
// partners, events and children; sources, notes and repositories their
// main texts.
#include "commands.h"
#include "person_summary.h"

namespace kinfold::cli {
namespace {

Report EventList(IGDFactEvents* events) {
    Report list = Report::List();
    ForEach<IGDFactEventRecord>(events, [&](IGDFactEventRecord* event) {
        Report entry = Report::Object();
        entry.Add("type", Report::Text(TextOf(event, &IGDFactEventRecord::get_Type)));
        entry.Add("date_and_place", Report::Text(DateAndPlace(event)));
        // The text on the event's own line: an occupation, the Y of a death.
        const std::string value = TextOf(event, &IGDFactEventRecord::get_Data);
        if (!value.empty()) entry.Add("value", Report::Text(value));
        list.Append(std::move(entry));
    });
    return list;
}

Report FootnoteList(IGDSources* sources) {
    Report list = Report::List();
    ForEach<IGDSourceRecord>(sources, [&](IGDSourceRecord* citation) {
        list.Append(Report::Text(TextOf(citation, &IGDSourceRecord::get_Footnote)));
    });
    return list;
}

Report NoteList(IGDNotes* notes) {
    Report list = Report::List();
    ForEach<IGDNoteRecord>(notes, [&](IGDNoteRecord* note) {
        list.Append(Report::Text(TextOf(note, &IGDNoteRecord::get_Note)));
    });
    return list;
}

// A parent or partner the file does not name is null, not an empty person.
Report PersonOrNothing(IGDIndividualRecord* individual) {
    return individual != nullptr ? PersonSummary(individual) : Report();
}

Report FamilySummary(IGDFamilyRecord* family) {
    Ref<IGDIndividualRecord> husband = ObjectOf(family, &IGDFamilyRecord::get_Husband);
    Ref<IGDIndividualRecord> wife = ObjectOf(family, &IGDFamilyRecord::get_Wife);
    Ref<IGDFactEventRecord> married = ObjectOf(family, &IGDFamilyRecord::get_Married);
    Report summary = Report::Object();
    summary.Add("id", Report::Text(TextOf(family, &IGDFamilyRecord::get_ID)));
    summary.Add("husband", Report::Text(FullNameOf(husband.get())));
    summary.Add("wife", Report::Text(FullNameOf(wife.get())));
    summary.Add("married", Report::Text(DateAndPlace(married.get())));
    return summary;
}

Report FamilyList(IGDFamilies* families) {
    Report list = Report::List();
    ForEach<IGDFamilyRecord>(families,
                             [&](IGDFamilyRecord* family) { list.Append(FamilySummary(family)); });
    return list;
}

Report ShowIndividual(IGDIndividualRecord* individual) {
    VARIANT all = Omitted();
    Ref<IGDNames> names = ObjectOf(individual, &IGDIndividualRecord::get_Names);
    Ref<IGDFactEvents> events;
    Ref<IGDFactEvents> attributes;
    individual->get_Events(all, &events);
    individual->get_Attributes(all, &attributes);
    Ref<IGDIndividualRecord> father = ObjectOf(individual, &IGDIndividualRecord::get_Father);
    Ref<IGDIndividualRecord> mother = ObjectOf(individual, &IGDIndividualRecord::get_Mother);
    Ref<IGDFamilies> spouseFamilies =
        ObjectOf(individual, &IGDIndividualRecord::get_SpouseFamilies);
    Ref<IGDSources> sources = ObjectOf(individual, &IGDIndividualRecord::get_Sources);
    Ref<IGDNotes> notes = ObjectOf(individual, &IGDIndividualRecord::get_Notes);

    Report shown = PersonSummary(individual);
    shown.Add("kind", Report::Text("individual"));
    Report& nameList = shown.Add("names", Report::List());
    ForEach<IGDNameRecord>(names.get(), [&](IGDNameRecord* name) {
        nameList.Append(Report::Text(TextOf(name, &IGDNameRecord::get_FullName)));
    });
    shown.Add("events", EventList(events.get()));
    shown.Add("attributes", EventList(attributes.get()));
    shown.Add("father", PersonOrNothing(father.get()));
    shown.Add("mother", PersonOrNothing(mother.get()));
    shown.Add("spouse_families", FamilyList(spouseFamilies.get()));
    shown.Add("citations", FootnoteList(sources.get()));
    shown.Add("notes", NoteList(notes.get()));
    return shown;
}

Report ShowFamily(IGDFamilyRecord* family) {
    VARIANT all = Omitted();
    Ref<IGDIndividualRecord> husband = ObjectOf(family, &IGDFamilyRecord::get_Husband);
    Ref<IGDIndividualRecord> wife = ObjectOf(family, &IGDFamilyRecord::get_Wife);
    Ref<IGDFactEvents> events;
    family->get_Events(all, &events);
    Ref<IGDIndividuals> children = ObjectOf(family, &IGDFamilyRecord::get_Children);
    Ref<IGDSources> sources = ObjectOf(family, &IGDFamilyRecord::get_Sources);
    Ref<IGDNotes> notes = ObjectOf(family, &IGDFamilyRecord::get_Notes);

    Report shown = Report::Object();
    shown.Add("id", Report::Text(TextOf(family, &IGDFamilyRecord::get_ID)));
    shown.Add("kind", Report::Text("family"));
    shown.Add("husband", PersonOrNothing(husband.get()));
    shown.Add("wife", PersonOrNothing(wife.get()));
    shown.Add("events", EventList(events.get()));
    Report& childList = shown.Add("children", Report::List());
    ForEach<IGDIndividualRecord>(children.get(), [&](IGDIndividualRecord* child) {
        childList.Append(PersonSummary(child));
    });
    shown.Add("citations", FootnoteList(sources.get()));
    shown.Add("notes", NoteList(notes.get()));
    return shown;
}

Report ShowSource(IGDSourceRecord* source) {
    Ref<IGDNotes> notes = ObjectOf(source, &IGDSourceRecord::get_Notes);
    Report shown = Report::Object();
    shown.Add("id", Report::Text(TextOf(source, &IGDSourceRecord::get_ID)));
    shown.Add("kind", Report::Text("source"));
    shown.Add("title", Report::Text(TextOf(source, &IGDSourceRecord::get_Title)));
    shown.Add("author", Report::Text(TextOf(source, &IGDSourceRecord::get_Author)));
    shown.Add("publication", Report::Text(TextOf(source, &IGDSourceRecord::get_PublicationFacts)));
    shown.Add("notes", NoteList(notes.get()));
    return shown;
}

Report ShowNote(IGDNoteRecord* note) {
    Report shown = Report::Object();
    shown.Add("id", Report::Text(TextOf(note, &IGDNoteRecord::get_ID)));
    shown.Add("kind", Report::Text("note"));
    shown.Add("text", Report::Text(TextOf(note, &IGDNoteRecord::get_Note)));
    return shown;
}

Report ShowRepository(IGDRepositoryRecord* repository) {
    Ref<IGDNotes> notes = ObjectOf(repository, &IGDRepositoryRecord::get_Notes);
    Report shown = Report::Object();
    shown.Add("id", Report::Text(TextOf(repository, &IGDRepositoryRecord::get_ID)));
    shown.Add("kind", Report::Text("repository"));
    shown.Add("name", Report::Text(TextOf(repository, &IGDRepositoryRecord::get_Name)));
    shown.Add("notes", NoteList(notes.get()));
    return shown;
}

// The record with `id` in the store that `member` reads, shown by `show`.
template <class Record, class Collection>
bool ShowFrom(IGEDCOMdb* db, HRESULT (STDMETHODCALLTYPE IGEDCOMdb::*member)(Collection**),
              const std::string& id, Report (*show)(Record*), Report* report) {
    Ref<Collection> store = ObjectOf(db, member);
    Ref<Record> record = ItemWithId<Record>(store.get(), id);
    if (!record) return false;
    *report = show(record.get());
    return true;
}

}  // namespace

int RunShow(const CommandLine& line, const LoadedFile& file, Report* report, std::string* error) {
    IGEDCOMdb* db = file.db.get();
    const std::string& id = line.arguments[1];
    if (ShowFrom(db, &IGEDCOMdb::get_Individuals, id, ShowIndividual, report) ||
        ShowFrom(db, &IGEDCOMdb::get_Families, id, ShowFamily, report) ||
        ShowFrom(db, &IGEDCOMdb::get_Sources, id, ShowSource, report) ||
        ShowFrom(db, &IGEDCOMdb::get_Notes, id, ShowNote, report) ||
        ShowFrom(db, &IGEDCOMdb::get_Repositories, id, ShowRepository, report))
        return kDone;
    *error = "no individual, family, source, note or repository has the ID " + id;
    if (id.empty() || id.front() != '@') *error += " (IDs keep their @ signs, as in @I1@)";
    return kNoSuchRecord;
}

}  // namespace kinfold::cli
