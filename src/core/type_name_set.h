// The event or attribute kinds seen while loading: an ordered set of texts in
// ascending byte order, without duplicates.
#pragma once

#include <set>
#include <string>
#include <string_view>

namespace kinfold {

// The database's three sets of kinds.
enum class TypeSet { IndividualEvents, IndividualAttributes, FamilyEvents };

class TypeNameSet {
   public:
    // Looks first: most lines name a kind already in the set, and an
    // insertion would allocate a node only to throw it away.
    void Add(std::string_view name) {
        if (names_.find(name) == names_.end()) names_.emplace(name);
    }
    void Clear() { names_.clear(); }
    size_t Size() const { return names_.size(); }
    std::set<std::string, std::less<>>::const_iterator begin() const { return names_.begin(); }
    std::set<std::string, std::less<>>::const_iterator end() const { return names_.end(); }

   private:
    // std::string compares as unsigned bytes, the order the sets are kept in.
    std::set<std::string, std::less<>> names_;
};

}  // namespace kinfold
