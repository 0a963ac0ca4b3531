#include "person_summary.h"

namespace kinfold::cli {

std::string FullNameOf(IGDIndividualRecord* individual) {
    Ref<IGDNameRecord> name = ObjectOf(individual, &IGDIndividualRecord::get_Name);
    return TextOf(name.get(), &IGDNameRecord::get_FullName);
}

std::string DateAndPlace(IGDFactEventRecord* event) {
    Ref<IGDPlaceRecord> place = ObjectOf(event, &IGDFactEventRecord::get_Place);
    const std::string date = TextOf(event, &IGDFactEventRecord::get_Date);
    const std::string where = TextOf(place.get(), &IGDPlaceRecord::get_Name);
    if (date.empty() || where.empty()) return date + where;
    return date + ", " + where;
}

Report PersonSummary(IGDIndividualRecord* individual) {
    Ref<IGDFactEventRecord> birth = ObjectOf(individual, &IGDIndividualRecord::get_Birth);
    Ref<IGDFactEventRecord> death = ObjectOf(individual, &IGDIndividualRecord::get_Death);
    Report person = Report::Object();
    person.Add("id", Report::Text(TextOf(individual, &IGDIndividualRecord::get_ID)));
    person.Add("name", Report::Text(FullNameOf(individual)));
    person.Add("sex", Report::Text(TextOf(individual, &IGDIndividualRecord::get_Sex)));
    person.Add("born", Report::Text(DateAndPlace(birth.get())));
    person.Add("died", Report::Text(DateAndPlace(death.get())));
    return person;
}

}  // namespace kinfold::cli
