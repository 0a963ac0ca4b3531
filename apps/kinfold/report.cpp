#include "report.h"

#include <cmath>
#include <cstdio>

namespace kinfold::cli {
namespace {

void AppendJsonString(std::string& out, std::string_view text) {
    out.push_back('"');
    for (unsigned char c : text) {
        switch (c) {
            case '"':
                out.append("\\\"");
                break;
            case '\\':
                out.append("\\\\");
                break;
            case '\n':
                out.append("\\n");
                break;
            case '\r':
                out.append("\\r");
                break;
            case '\t':
                out.append("\\t");
                break;
            default:
                if (c < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof(escaped), "\\u%04x", c);
                    out.append(escaped);
                } else {
                    out.push_back(static_cast<char>(c));
                }
        }
    }
    out.push_back('"');
}

// Whole numbers print without a fraction; others with up to six decimals.
std::string NumberText(double number) {
    char text[48];
    if (std::floor(number) == number && std::fabs(number) < 1e15) {
        std::snprintf(text, sizeof(text), "%.0f", number);
        return text;
    }
    std::snprintf(text, sizeof(text), "%.6f", number);
    std::string fixed = text;
    while (fixed.back() == '0') fixed.pop_back();
    return fixed;
}

}  // namespace

Report Report::Text(std::string_view text) {
    Report value(Kind::Text);
    value.text_.assign(text);
    return value;
}

Report Report::Number(double number) {
    Report value(Kind::Number);
    value.number_ = number;
    return value;
}

Report Report::Boolean(bool flag) {
    Report value(Kind::Boolean);
    value.number_ = flag ? 1 : 0;
    return value;
}

Report& Report::Add(std::string_view name, Report value) {
    names_.emplace_back(name);
    items_.push_back(std::move(value));
    return items_.back();
}

Report& Report::Append(Report value) {
    items_.push_back(std::move(value));
    return items_.back();
}

std::string Report::Json() const {
    std::string out;
    WriteJson(out);
    out.push_back('\n');
    return out;
}

void Report::WriteJson(std::string& out) const {
    if (Scalar()) {
        if (kind_ == Kind::Text)
            AppendJsonString(out, text_);
        else
            WriteScalar(out);
        return;
    }
    const bool object = kind_ == Kind::Object;
    out.push_back(object ? '{' : '[');
    for (size_t i = 0; i < items_.size(); ++i) {
        if (i > 0) out.append(", ");
        if (object) {
            AppendJsonString(out, names_[i]);
            out.append(": ");
        }
        items_[i].WriteJson(out);
    }
    out.push_back(object ? '}' : ']');
}

void Report::WriteScalar(std::string& out) const {
    switch (kind_) {
        case Kind::Text:
            out.append(text_);
            break;
        case Kind::Number:
            out.append(NumberText(number_));
            break;
        case Kind::Boolean:
            out.append(number_ != 0 ? "true" : "false");
            break;
        default:
            out.append("null");
            break;
    }
}

std::string Report::Lines() const {
    std::string out;
    if (Scalar()) {
        WriteScalar(out);
        out.push_back('\n');
    } else {
        WriteLines(out, 0);
    }
    return out;
}

// Objects print one "name: value" line per scalar member and a "name:" line
// followed by the member indented for the others; list elements print after
// "- ", each object's first member on the dash line.
void Report::WriteLines(std::string& out, int indent) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        const Report& item = items_[i];
        std::string lead(static_cast<size_t>(indent), ' ');
        if (kind_ == Kind::Object) lead.append(names_[i]).append(":");
        if (kind_ == Kind::List) lead.append("-");
        if (item.Scalar()) {
            out.append(lead).push_back(' ');
            std::string value;
            if (item.kind_ == Kind::Null)
                value = "(none)";
            else
                item.WriteScalar(value);
            // Lines after the first of a text line up under the value.
            const std::string continuation =
                "\n" + std::string(static_cast<size_t>(indent) + 2, ' ');
            for (char c : value) {
                if (c == '\n')
                    out.append(continuation);
                else
                    out.push_back(c);
            }
            out.push_back('\n');
        } else if (item.Empty()) {
            out.append(lead).append(item.kind_ == Kind::List ? " (none)\n" : "\n");
        } else if (kind_ == Kind::List && item.kind_ == Kind::Object) {
            std::string block;
            item.WriteLines(block, indent + 2);
            out.append(lead).append(block.substr(static_cast<size_t>(indent) + 1));
        } else {
            out.append(lead).push_back('\n');
            item.WriteLines(out, indent + 2);
        }
    }
}

}  // namespace kinfold::cli
