// Prints every member of every dual interface as the native IDispatch finds
// it in the compiled dispatch tables, one sorted line per member and invoke
// kind: "<interface> <member> <dispid> <kind> <parameter count>".
// kinfold_typelib_listing prints the same from the Windows type library;
// scripts/test.sh compares the two.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/posix/dispatch_table.h"

namespace {

const char* KindName(kinfold::DispatchKind kind) {
    switch (kind) {
        case kinfold::DispatchKind::Method:
            return "method";
        case kinfold::DispatchKind::PropertyGet:
            return "get";
        case kinfold::DispatchKind::PropertyPut:
            return "put";
        case kinfold::DispatchKind::PropertyPutRef:
            return "putref";
    }
    return "?";
}

}  // namespace

int main() {
    std::vector<std::string> lines;
    for (const kinfold::DispatchInterface& iface : kinfold::AllDispatchInterfaces()) {
        for (const kinfold::DispatchMember& member : iface) {
            lines.push_back(std::string(iface.name) + ' ' + member.name + ' ' +
                            std::to_string(member.id) + ' ' + KindName(member.kind) + ' ' +
                            std::to_string(member.paramCount));
        }
    }
    std::sort(lines.begin(), lines.end());
    for (const std::string& line : lines) std::printf("%s\n", line.c_str());
    return lines.empty() ? 1 : 0;
}
