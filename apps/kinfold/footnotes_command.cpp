// kinfold footnotes FILE [--format F]: the footnote of every source citation
// of every individual and family, in store order, in the database's
// footnote format or in F. Citations stand at any depth of a record (under
// a name, an event's place, an embedded note), so each record is walked
// down through every sub-record that has Sources.
#include "commands.h"
#include "person_summary.h"

namespace kinfold::cli {
namespace {

// Walks one record, adding an entry per citation with the path of tags from
// the record down to it (INDI.BIRT.PLAC).
class CitationWalk {
   public:
    CitationWalk(std::string id, std::string who, Report* list)
        : id_(std::move(id)), who_(std::move(who)), list_(list) {}

    template <class Owner>
    void Cited(Owner* owner, const std::string& path) {
        Ref<IGDSources> citations = ObjectOf(owner, &Owner::get_Sources);
        ForEach<IGDSourceRecord>(citations.get(), [&](IGDSourceRecord* citation) {
            Report entry = Report::Object();
            entry.Add("record", Report::Text(id_));
            entry.Add("of", Report::Text(who_));
            entry.Add("under", Report::Text(path));
            entry.Add("footnote", Report::Text(TextOf(citation, &IGDSourceRecord::get_Footnote)));
            list_->Append(std::move(entry));
        });
    }

    // Notes and multimedia written inside the record; those that point to a
    // NOTE or OBJE record (they have its ID) belong to that record, which
    // other records may share.
    template <class Owner>
    void Notes(Owner* owner, const std::string& path) {
        Ref<IGDNotes> notes = ObjectOf(owner, &Owner::get_Notes);
        ForEach<IGDNoteRecord>(notes.get(), [&](IGDNoteRecord* note) {
            if (TextOf(note, &IGDNoteRecord::get_ID).empty()) Cited(note, path + ".NOTE");
        });
    }
    template <class Owner>
    void Multimedia(Owner* owner, const std::string& path) {
        Ref<IGDMultimedia> links = ObjectOf(owner, &Owner::get_Multimedia);
        ForEach<IGDMultimediaRecord>(links.get(), [&](IGDMultimediaRecord* link) {
            if (TextOf(link, &IGDMultimediaRecord::get_ID).empty()) Cited(link, path + ".OBJE");
        });
    }

    void Names(IGDNames* names, const std::string& path) {
        ForEach<IGDNameRecord>(names, [&](IGDNameRecord* name) {
            Cited(name, path);
            Notes(name, path);
            Ref<IGDNames> phonetic = ObjectOf(name, &IGDNameRecord::get_PhoneticVariations);
            Ref<IGDNames> romanized = ObjectOf(name, &IGDNameRecord::get_RomanizedVariations);
            Names(phonetic.get(), path + ".FONE");
            Names(romanized.get(), path + ".ROMN");
        });
    }

    void Events(IGDFactEvents* events, const std::string& path) {
        ForEach<IGDFactEventRecord>(events, [&](IGDFactEventRecord* event) {
            const std::string at = path + "." + TextOf(event, &IGDFactEventRecord::get_GEDCOMTag);
            Cited(event, at);
            Ref<IGDPlaceRecord> place = ObjectOf(event, &IGDFactEventRecord::get_Place);
            Cited(place.get(), at + ".PLAC");
            Notes(place.get(), at + ".PLAC");
            Notes(event, at);
            Multimedia(event, at);
        });
    }

    void Ordinances(IGDOrdinances* ordinances, const std::string& path) {
        ForEach<IGDOrdinanceRecord>(ordinances, [&](IGDOrdinanceRecord* ordinance) {
            const std::string at = path + "." + TextOf(ordinance, &IGDOrdinanceRecord::get_Type);
            Cited(ordinance, at);
            Notes(ordinance, at);
        });
    }

    void Associations(IGDAssociations* associations, const std::string& path) {
        ForEach<IGDAssociationRecord>(associations, [&](IGDAssociationRecord* association) {
            Cited(association, path);
            Notes(association, path);
        });
    }

    void FamilyLinks(IGDFamilyLinks* links, const std::string& path) {
        ForEach<IGDFamilyLinkRecord>(links, [&](IGDFamilyLinkRecord* link) { Notes(link, path); });
    }

   private:
    std::string id_, who_;
    Report* list_;
};

void AddIndividual(IGDIndividualRecord* individual, Report* list) {
    CitationWalk walk(TextOf(individual, &IGDIndividualRecord::get_ID), FullNameOf(individual),
                      list);
    VARIANT any = Omitted();
    Ref<IGDNames> names = ObjectOf(individual, &IGDIndividualRecord::get_Names);
    Ref<IGDFactEvents> events, attributes;
    Ref<IGDOrdinances> ordinances;
    individual->get_Events(any, &events);
    individual->get_Attributes(any, &attributes);
    individual->get_IndividualOrdinances(any, &ordinances);
    Ref<IGDAssociations> associations =
        ObjectOf(individual, &IGDIndividualRecord::get_Associations);
    Ref<IGDFamilyLinks> childLinks =
        ObjectOf(individual, &IGDIndividualRecord::get_ChildFamilyLinks);
    Ref<IGDFamilyLinks> spouseLinks =
        ObjectOf(individual, &IGDIndividualRecord::get_SpouseFamilyLinks);

    walk.Cited(individual, "INDI");
    walk.Names(names.get(), "INDI.NAME");
    walk.Events(events.get(), "INDI");
    walk.Events(attributes.get(), "INDI");
    walk.Ordinances(ordinances.get(), "INDI");
    walk.Associations(associations.get(), "INDI.ASSO");
    walk.FamilyLinks(childLinks.get(), "INDI.FAMC");
    walk.FamilyLinks(spouseLinks.get(), "INDI.FAMS");
    walk.Notes(individual, "INDI");
    walk.Multimedia(individual, "INDI");
}

void AddFamily(IGDFamilyRecord* family, Report* list) {
    Ref<IGDIndividualRecord> husband = ObjectOf(family, &IGDFamilyRecord::get_Husband);
    Ref<IGDIndividualRecord> wife = ObjectOf(family, &IGDFamilyRecord::get_Wife);
    CitationWalk walk(TextOf(family, &IGDFamilyRecord::get_ID),
                      FullNameOf(husband.get()) + " & " + FullNameOf(wife.get()), list);
    VARIANT any = Omitted();
    Ref<IGDFactEvents> events;
    family->get_Events(any, &events);
    Ref<IGDOrdinances> sealings = ObjectOf(family, &IGDFamilyRecord::get_LDSSpouseSealings);

    walk.Cited(family, "FAM");
    walk.Events(events.get(), "FAM");
    walk.Ordinances(sealings.get(), "FAM");
    walk.Notes(family, "FAM");
    walk.Multimedia(family, "FAM");
}

}  // namespace

int RunFootnotes(const CommandLine& line, const LoadedFile& file, Report* report,
                 std::string* error) {
    IGEDCOMdb* db = file.db.get();
    if (line.Has("--format")) {
        BSTR format = AllocBstr(line.Option("--format"));
        const HRESULT hr = db->put_SourceFootnoteFormat(format);
        SysFreeString(format);
        if (FAILED(hr)) {
            *error = FailureText("SourceFootnoteFormat", hr);
            return kCannotAnswer;
        }
    }
    *report = Report::List();
    Ref<IGDIndividuals> individuals = ObjectOf(db, &IGEDCOMdb::get_Individuals);
    ForEach<IGDIndividualRecord>(individuals.get(), [&](IGDIndividualRecord* individual) {
        AddIndividual(individual, report);
    });
    Ref<IGDFamilies> families = ObjectOf(db, &IGEDCOMdb::get_Families);
    ForEach<IGDFamilyRecord>(families.get(),
                             [&](IGDFamilyRecord* family) { AddFamily(family, report); });
    return kDone;
}

}  // namespace kinfold::cli
