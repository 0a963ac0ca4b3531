// kinfold stats FILE: how many records of each kind the file holds, what its
// header says about it, and how long it took to load.
#include "commands.h"

namespace kinfold::cli {
namespace {

template <class Collection>
double CountMember(IGEDCOMdb* db, HRESULT (STDMETHODCALLTYPE IGEDCOMdb::*member)(Collection**)) {
    Ref<Collection> collection = ObjectOf(db, member);
    return static_cast<double>(CountOf(collection.get()));
}

Report HeaderSummary(IGDHeaderRecord* header) {
    Ref<IGDSourceSystemRecord> system = ObjectOf(header, &IGDHeaderRecord::get_SourceSystem);
    Report summary = Report::Object();
    summary.Add("source", Report::Text(TextOf(system.get(), &IGDSourceSystemRecord::get_System)));
    summary.Add("source_name",
                Report::Text(TextOf(system.get(), &IGDSourceSystemRecord::get_Name)));
    summary.Add("source_version",
                Report::Text(TextOf(system.get(), &IGDSourceSystemRecord::get_Version)));
    summary.Add("gedcom_version",
                Report::Text(TextOf(header, &IGDHeaderRecord::get_GEDCOMVersion)));
    summary.Add("character_set", Report::Text(TextOf(header, &IGDHeaderRecord::get_CharSet)));
    summary.Add("date", Report::Text(TextOf(header, &IGDHeaderRecord::get_TransmissionDate)));
    return summary;
}

}  // namespace

int RunStats(const CommandLine& line, const LoadedFile& file, Report* report, std::string*) {
    IGEDCOMdb* db = file.db.get();
    *report = Report::Object();
    report->Add("file", Report::Text(line.File()));
    report->Add("individuals", Report::Number(CountMember(db, &IGEDCOMdb::get_Individuals)));
    report->Add("families", Report::Number(CountMember(db, &IGEDCOMdb::get_Families)));
    report->Add("sources", Report::Number(CountMember(db, &IGEDCOMdb::get_Sources)));
    report->Add("notes", Report::Number(CountMember(db, &IGEDCOMdb::get_Notes)));
    report->Add("repositories", Report::Number(CountMember(db, &IGEDCOMdb::get_Repositories)));
    report->Add("multimedia", Report::Number(CountMember(db, &IGEDCOMdb::get_Multimedia)));
    report->Add("submitters", Report::Number(CountMember(db, &IGEDCOMdb::get_Submitters)));
    Ref<IGDHeaderRecord> header = ObjectOf(db, &IGEDCOMdb::get_Header);
    report->Add("header", header ? HeaderSummary(header.get()) : Report());
    report->Add("load_seconds", Report::Number(file.seconds));
    // What tolerant reading left out or mended, line by line.
    Report dropped = Report::List();
    for (const std::string& text : file.dropped) dropped.Append(Report::Text(text));
    report->Add("dropped_lines", std::move(dropped));
    return kDone;
}

}  // namespace kinfold::cli
