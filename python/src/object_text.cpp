// What repr() and help() show of an object: its kind with the ID and name
// that tell one record from another, and its members as the type
// information describes them.
#include <cctype>

#include "binding.h"

namespace kinfold::python {
namespace {

// The kind of object an interface describes, as a reader names it:
// IGDIndividualRecord is an Individual, IGDIndividuals are Individuals,
// IGEDCOMdb2 is a GEDCOMdb.
std::string KindOf(std::string name) {
    if (name.compare(0, 3, "IGD") == 0)
        name.erase(0, 3);
    else if (name.size() > 1 && name[0] == 'I')
        name.erase(0, 1);
    while (!name.empty() && std::isdigit(static_cast<unsigned char>(name.back()))) name.pop_back();
    const std::string record = "Record";
    if (name.size() > record.size() &&
        name.compare(name.size() - record.size(), record.size(), record) == 0)
        name.resize(name.size() - record.size());
    return name;
}

// A property without parameters, read for a description: nullptr when the
// object has none of that name or reading it fails, with no exception left.
PyObject* ReadQuietly(Object* self, const char* name) {
    const MemberInfo* member = FindMember(self->members, name);
    if (member == nullptr || !member->get || member->getParams != 0) return nullptr;
    PyObject* value = Invoke(self, member->id, name, DISPATCH_PROPERTYGET, nullptr, nullptr);
    if (value == nullptr) PyErr_Clear();
    return value;
}

// Appends `value` (taken) to `parts` when it is text that says something.
bool AppendText(PyObject* parts, PyObject* value) {
    const bool said = value != nullptr && PyUnicode_Check(value) && PyUnicode_GetLength(value) > 0;
    if (said && PyList_Append(parts, value) != 0) PyErr_Clear();
    Py_XDECREF(value);
    return said;
}

// The name of an individual is an object of its own; that of a source or
// repository is text.
bool AppendName(Object* self, PyObject* parts) {
    PyObject* name = ReadQuietly(self, "Name");
    if (name != nullptr && PyObject_TypeCheck(name, &ObjectType)) {
        PyObject* full = ReadQuietly(reinterpret_cast<Object*>(name), "FullName");
        Py_DECREF(name);
        return AppendText(parts, full);
    }
    return AppendText(parts, name);
}

// A record's ID and the first of its name, full name, title or file name; an
// event (which has none of those) by its type and date.
void AppendRecordParts(Object* self, PyObject* parts) {
    AppendText(parts, ReadQuietly(self, "ID"));
    if (AppendName(self, parts)) return;
    for (const char* label : {"FullName", "Title", "FileName"})
        if (AppendText(parts, ReadQuietly(self, label))) return;
    AppendText(parts, ReadQuietly(self, "Type"));
    AppendText(parts, ReadQuietly(self, "Date"));
}

void AppendCount(Object* self, PyObject* parts) {
    PyObject* count = ReadQuietly(self, "Count");
    if (count == nullptr) return;
    const long number = PyLong_Check(count) ? PyLong_AsLong(count) : -1;
    Py_DECREF(count);
    PyObject* text =
        number >= 0 ? PyUnicode_FromFormat("%ld item%s", number, number == 1 ? "" : "s") : nullptr;
    if (text == nullptr) PyErr_Clear();
    AppendText(parts, text);
}

std::string KindOfMember(const MemberInfo& member) {
    if (member.method) return "method";
    const bool settable = member.put || member.putRef;
    if (!member.get) return "write-only property";
    std::string kind = settable ? "property" : "read-only property";
    if (member.readsWithoutArguments) kind += "; reads as its value without arguments too";
    return kind;
}

}  // namespace

PyObject* DescribeObject(Object* self) {
    if (self->members == nullptr) return PyUnicode_FromString("<kinfold object>");
    PyObject* parts = Py_BuildValue("[s]", KindOf(self->members->interfaceName).c_str());
    if (parts == nullptr) return nullptr;
    if (FindMember(self->members, "Count") != nullptr &&
        FindMember(self->members, "Item") != nullptr)
        AppendCount(self, parts);
    else
        AppendRecordParts(self, parts);
    PyObject* blank = PyUnicode_FromString(" ");
    PyObject* joined = blank != nullptr ? PyUnicode_Join(blank, parts) : nullptr;
    Py_XDECREF(blank);
    Py_DECREF(parts);
    if (joined == nullptr) return nullptr;
    PyObject* text = PyUnicode_FromFormat("<%U>", joined);
    Py_DECREF(joined);
    return text;
}

std::string DocumentMember(const MemberInfo& member) {
    std::string text = member.signature + "  (" + KindOfMember(member) + ")";
    if (!member.help.empty()) text += "\n    " + member.help;
    return text;
}

PyObject* DocumentObject(Object* self) {
    if (self->members == nullptr)
        return PyUnicode_FromString("An automation object without type information.");
    const MemberTable& table = *self->members;
    std::string text = table.interfaceName;
    if (!table.help.empty()) text += ": " + table.help;
    text += "\n\nMembers:\n";
    for (const std::string& name : table.names) {
        std::string member = DocumentMember(*FindMember(&table, name));
        for (size_t at = 0; (at = member.find('\n', at)) != std::string::npos; at += 3)
            member.insert(at + 1, "  ");
        text += "  " + member + "\n";
    }
    return PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "replace");
}

}  // namespace kinfold::python
