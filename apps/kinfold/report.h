// What a command found, as a small tree of named values that prints either
// as JSON (--json, for programs) or as indented "name: value" lines (for
// people). Names keep the order in which they were added.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kinfold::cli {

class Report {
   public:
    enum class Kind { Null, Text, Number, Boolean, Object, List };

    static Report Text(std::string_view text);
    static Report Number(double number);
    static Report Boolean(bool flag);
    // Nothing: null in JSON, "(none)" for people.
    Report() = default;
    static Report Object() { return Report(Kind::Object); }
    static Report List() { return Report(Kind::List); }

    // Adds a member to an object and returns it.
    Report& Add(std::string_view name, Report value);
    // Adds an element to a list and returns it.
    Report& Append(Report value);

    bool Empty() const { return items_.empty(); }
    std::string Json() const;
    std::string Lines() const;

   private:
    explicit Report(Kind kind) : kind_(kind) {}
    void WriteJson(std::string& out) const;
    void WriteLines(std::string& out, int indent) const;
    void WriteScalar(std::string& out) const;
    bool Scalar() const { return kind_ != Kind::Object && kind_ != Kind::List; }

    Kind kind_ = Kind::Null;
    std::string text_;
    double number_ = 0;
    std::vector<std::string> names_;  // for objects, one per item
    std::vector<Report> items_;
};

}  // namespace kinfold::cli
