// Generated records that put every sequence of four sub-line levels from
// {-1, 0, 1, 2, 3, 32768} under an INDI, a FAM and a SOUR, with tag
// sequences in which every ordered pair of the kind's tags stands side by
// side: the cases the loader's context stack must answer by the rules, and
// that anything rewriting a file must keep.
#pragma once

#include <string>
#include <vector>

#include "support/level_rules.h"

namespace kinfold::test {

struct LevelRuleKind {
    const char* name;
    GeneratedKind kind;
    std::vector<std::string> tags;
};

// INDI, FAM and SOUR with the tags their records keep or refuse.
extern const std::vector<LevelRuleKind> kLevelRuleKinds;

std::vector<GeneratedRecord> EveryLevelSequence(GeneratedKind kind,
                                                const std::vector<std::string>& tags);

}  // namespace kinfold::test
