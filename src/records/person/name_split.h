// The three forms of a personal name taken from the value of a NAME line,
// where the surname stands between slashes ("John /Smith/ Jr").
#pragma once

#include <string>
#include <string_view>

namespace kinfold {

struct NameSplit {
    std::string givenName;
    std::string surname;
    std::string fullName;
};

// Given name: the text before the first slash (all of it when there is none);
// surname: the text between the first two slashes (a missing second slash
// means the end of the value); full name: the whole value with the slashes
// removed, or turned into blanks where removing them would glue words.
NameSplit SplitName(std::string_view value);

}  // namespace kinfold
