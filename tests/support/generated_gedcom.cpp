#include "support/generated_gedcom.h"

namespace kinfold::test {
namespace {

void AppendPerson(std::string& text, int id, const char* given, int family, bool partner) {
    const std::string number = std::to_string(id);
    text.append("0 @I").append(number).append("@ INDI\n1 NAME ").append(given);
    text.append(" /Surname").append(std::to_string(family % 97)).append("/\n");
    text.append("1 BIRT\n2 DATE ").append(std::to_string(1800 + id % 200));
    text.append("\n2 PLAC Town ").append(std::to_string(id % 31)).append("\n");
    text.append(partner ? "1 FAMS @F" : "1 FAMC @F").append(std::to_string(family)).append("@\n");
}

}  // namespace

std::string GeneratedGedcom(int families) {
    std::string text = "0 HEAD\n1 CHAR UTF-8\n";
    text.reserve(static_cast<size_t>(families) * 400);
    for (int f = 1; f <= families; ++f) {
        const int first = (f - 1) * 4 + 1;
        AppendPerson(text, first, "John", f, true);
        AppendPerson(text, first + 1, "Mary", f, true);
        AppendPerson(text, first + 2, "Anne", f, false);
        AppendPerson(text, first + 3, "Paul", f, false);
        const std::string family = std::to_string(f);
        text.append("0 @F").append(family).append("@ FAM\n");
        text.append("1 HUSB @I").append(std::to_string(first)).append("@\n");
        text.append("1 WIFE @I").append(std::to_string(first + 1)).append("@\n");
        text.append("1 CHIL @I").append(std::to_string(first + 2)).append("@\n");
        text.append("1 CHIL @I").append(std::to_string(first + 3)).append("@\n");
        text.append("1 MARR\n2 DATE ").append(std::to_string(1820 + f % 150)).append("\n");
    }
    return text.append("0 TRLR\n");
}

}  // namespace kinfold::test
