#include "assistant/fact_event_types.h"

namespace kinfold {
namespace {

struct TypeDescription {
    std::string_view type;
    std::string_view description;
};

// Compared exactly, case included, top to bottom.
constexpr TypeDescription kDescriptions[] = {
    {"BIRT", "Birth"},
    {"DEAT", "Death"},
    {"CHR", "Christening"},
    {"BURI", "Burial"},
    {"CREM", "Cremation"},
    {"ADOP", "Adoption"},
    {"BAPM", "Baptism"},
    {"BARM", "Bar Mitzvah"},
    {"BASM", "Bas Mitzvah"},
    {"BLES", "Blessing"},
    {"CHRA", "Adult Christening"},
    {"CONF", "Confirmation"},
    {"FCOM", "First Communion"},
    {"ORDN", "Ordination"},
    {"NATU", "Naturalization"},
    {"EMIG", "Emigration"},
    {"IMMI", "Immigration"},
    {"CENS", "Census"},
    {"PROB", "Probate"},
    {"WILL", "Will"},
    {"GRAD", "Graduation"},
    {"RETI", "Retirement"},
    {"EVEN", "Event"},
    {"MARR", "Marriage"},
    {"ANUL", "Annulment"},
    {"DIV", "Divorce"},
    {"DIVF", "Divorce Filed"},
    {"ENGA", "Engagement"},
    {"MARB", "Marriage Announcement"},
    {"MARC", "Marriage Contract"},
    {"MARL", "Marriage License"},
    {"MARS", "Marriage Settlement"},
    {"RESI", "Residence"},
    {"OCCU", "Occupation"},
    {"CAST", "Caste"},
    {"DSCR", "Physical Description"},
    {"EDUC", "Education"},
    {"IDNO", "Identification Number"},
    {"NATI", "Nationality"},
    {"NCHI", "Number of Children"},
    {"NMR", "Number of Marriages"},
    {"PROP", "Property"},
    {"RELI", "Religion"},
    {"SSN", "Social Security Number"},
    {"TITL", "Title"},
    {"FACT", "Fact"},
};

}  // namespace

std::string_view FactEventTypeDescription(std::string_view type) {
    for (const TypeDescription& row : kDescriptions) {
        if (row.type == type) return row.description;
    }
    return type;
}

}  // namespace kinfold
