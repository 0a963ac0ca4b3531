// The generated dispatch tables of the native build: every member of every
// interface is reachable by name in any case, and the tables hold together
// the way a type library would.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <utility>

#include "kinfold.h"
#include "platform/dispatch_support.h"
#include "platform/posix/dispatch_table.h"

namespace kinfold {
namespace {

enum class Spelling { Upper, Lower, Mixed };

std::basic_string<OLECHAR> Spell(const char* name, Spelling spelling) {
    std::basic_string<OLECHAR> text;
    for (size_t i = 0; name[i]; ++i) {
        const int c = static_cast<unsigned char>(name[i]);
        const bool upper = spelling == Spelling::Upper || (spelling == Spelling::Mixed && i % 2 == 0);
        text += static_cast<OLECHAR>(upper ? std::toupper(c) : std::tolower(c));
    }
    return text;
}

const DispatchMember& FirstNamed(const DispatchInterface& iface, const std::string& name) {
    for (const DispatchMember& member : iface)
        if (name == member.name) return member;
    return *iface.members;
}

TEST(DispatchTable, EveryInterfaceIsFoundByItsIid) {
    size_t count = 0;
    for (const DispatchInterface& iface : AllDispatchInterfaces()) {
        EXPECT_EQ(&iface, FindDispatchInterface(*iface.iid)) << iface.name;
        ++count;
    }
    EXPECT_EQ(48u, count);
    EXPECT_EQ(nullptr, FindDispatchInterface(IID_IDispatch));
    const DispatchInterface* individual = FindDispatchInterface(__uuidof(IGDIndividualRecord));
    ASSERT_NE(nullptr, individual);
    EXPECT_STREQ("IGDIndividualRecord", individual->name);
}

// An interface that extends another answers for the members of both, as
// the dispatch side of a dual interface does in a type library.
TEST(DispatchTable, ExtendedInterfaceServesTheMembersItInherits) {
    const DispatchInterface* second = FindDispatchInterface(IID_IGEDCOMdb2);
    const DispatchInterface* first = FindDispatchInterface(IID_IGEDCOMdb);
    ASSERT_NE(nullptr, second);
    ASSERT_NE(nullptr, first);
    std::set<std::string> names;
    for (const DispatchMember& member : *second) names.insert(member.name);
    for (const DispatchMember& member : *first) EXPECT_EQ(1u, names.count(member.name));
    EXPECT_EQ(27, FirstNamed(*second, "TextEncoding").id);
    EXPECT_EQ(1, FirstNamed(*second, "LoadGEDCOMFile").id);
}

TEST(DispatchTable, EveryMemberIsFoundByNameInAnyCase) {
    for (const DispatchInterface& iface : AllDispatchInterfaces()) {
        for (const DispatchMember& member : iface) {
            const DISPID expected = FirstNamed(iface, member.name).id;
            for (Spelling spelling : {Spelling::Upper, Spelling::Lower, Spelling::Mixed}) {
                std::basic_string<OLECHAR> text = Spell(member.name, spelling);
                LPOLESTR names[] = {&text[0]};
                DISPID id = 12345;
                EXPECT_EQ(S_OK, DispatchGetIDsOfNames(*iface.iid, names, 1, &id))
                    << iface.name << "." << member.name;
                EXPECT_EQ(expected, id) << iface.name << "." << member.name;
            }
        }
    }
}

TEST(DispatchTable, UnknownInterfaceHasNoNames) {
    std::basic_string<OLECHAR> text = Spell("Item", Spelling::Lower);
    LPOLESTR names[] = {&text[0]};
    DISPID id = 12345;
    EXPECT_EQ(TYPE_E_ELEMENTNOTFOUND, DispatchGetIDsOfNames(IID_IDispatch, names, 1, &id));
}

// One name, one DISPID, and one accessor of each kind: what hosts and the
// type library assume of an interface.
TEST(DispatchTable, NamesDispidsAndKindsAgree) {
    for (const DispatchInterface& iface : AllDispatchInterfaces()) {
        std::set<std::pair<DISPID, WORD>> seen;
        for (const DispatchMember& member : iface) {
            SCOPED_TRACE(std::string(iface.name) + "." + member.name);
            EXPECT_TRUE(seen.insert({member.id, static_cast<WORD>(member.kind)}).second);
            for (const DispatchMember& other : iface) {
                if (std::string(other.name) == member.name || other.id == member.id) {
                    EXPECT_EQ(member.id, other.id) << other.name;
                    EXPECT_STREQ(member.name, other.name);
                }
            }
            EXPECT_NE(nullptr, member.thunk);
            if (member.kind == DispatchKind::PropertyPut || member.kind == DispatchKind::PropertyPutRef) {
                EXPECT_EQ(VT_EMPTY, member.resultType);
                EXPECT_LT(0u, member.paramCount);
            }
            for (UINT i = 0; i < member.paramCount; ++i) {
                const DispatchParam& param = member.params[i];
                // Only a VARIANT can stand for a left-out argument by itself.
                if (param.optional && param.type != VT_VARIANT) {
                    EXPECT_TRUE(param.hasDefault) << param.name;
                }
                EXPECT_EQ(param.type == VT_DISPATCH || param.type == VT_UNKNOWN, param.iid != nullptr)
                    << param.name;
            }
        }
    }
}

}  // namespace
}  // namespace kinfold

#endif
