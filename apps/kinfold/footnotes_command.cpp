// kinfold footnotes FILE [--format F]: the footnote of every source citation
// of every individual and family, in store order, in the database's
// footnote format or in F.
#include "commands.h"
#include "person_summary.h"

namespace kinfold::cli {
namespace {

template <class Record>
void AddFootnotes(Record* record, const std::string& who, Report* list) {
    Ref<IGDSources> citations = ObjectOf(record, &Record::get_Sources);
    ForEach<IGDSourceRecord>(citations.get(), [&](IGDSourceRecord* citation) {
        Report entry = Report::Object();
        entry.Add("record", Report::Text(TextOf(record, &Record::get_ID)));
        entry.Add("of", Report::Text(who));
        entry.Add("footnote", Report::Text(TextOf(citation, &IGDSourceRecord::get_Footnote)));
        list->Append(std::move(entry));
    });
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
        AddFootnotes(individual, FullNameOf(individual), report);
    });
    Ref<IGDFamilies> families = ObjectOf(db, &IGEDCOMdb::get_Families);
    ForEach<IGDFamilyRecord>(families.get(), [&](IGDFamilyRecord* family) {
        Ref<IGDIndividualRecord> husband = ObjectOf(family, &IGDFamilyRecord::get_Husband);
        Ref<IGDIndividualRecord> wife = ObjectOf(family, &IGDFamilyRecord::get_Wife);
        AddFootnotes(family, FullNameOf(husband.get()) + " & " + FullNameOf(wife.get()), report);
    });
    return kDone;
}

}  // namespace kinfold::cli
