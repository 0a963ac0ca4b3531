// Reads every member of an object that a host can read without arguments,
// through IDispatch as a script would, and goes on into the objects and
// collections those members return. It knows the members from the native
// dispatch tables, so nothing here lists them again.
#pragma once

#ifndef _WIN32

#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "kinfold.h"
#include "platform/posix/dispatch_table.h"

namespace kinfold::test {

class MemberWalker {
   public:
    struct Limits {
        // How far below the starting object the walk goes.
        int depth;
        // Elements read from a collection met below the starting object.
        long itemsBelowStart;
    };

    // Makes each call of the walk into an object. The plain walk calls once;
    // a test may install its own to arrange what happens inside the calls,
    // call again, and check the answers. `call` makes one attempt into an
    // empty `result` and gives the code a host would see (the member's own
    // code when it failed); the last attempt is the one the walk goes on with.
    class CallRunner {
       public:
        virtual HRESULT Run(const DispatchInterface& iface, const DispatchMember& member,
                            const std::function<HRESULT(VARIANT* result)>& call,
                            VARIANT* result) = 0;

       protected:
        ~CallRunner() = default;
    };

    explicit MemberWalker(Limits limits) : limits_(limits) {}
    void SetCallRunner(CallRunner* runner) { runner_ = runner; }
    MemberWalker(const MemberWalker&) = delete;
    MemberWalker& operator=(const MemberWalker&) = delete;
    ~MemberWalker();

    // Also keeps a reference to every record walked from now on (with the
    // collections too when asked: they keep their owners alive), so a test
    // can read them again after their database has let go of them.
    void KeepWalkedObjects(bool collectionsToo) {
        keep_ = true;
        keepCollections_ = collectionsToo;
    }
    using KeptObject = std::pair<IDispatch*, const DispatchInterface*>;
    const std::vector<KeptObject>& Kept() const { return kept_; }

    // Walks `object`, which answers the dual interface `iface`.
    void Walk(IDispatch* object, const DispatchInterface& iface) { WalkObject(object, iface, 0); }
    // Reads every member of `object` once, without going into what they return.
    void Read(IDispatch* object, const DispatchInterface& iface) {
        WalkObject(object, iface, limits_.depth);
    }

    // "Interface.Member -> 0x........" for every read that gave a code other
    // than S_OK, E_NOTIMPL (a member not built yet) or an automation error
    // with a description, with how often.
    const std::map<std::string, long>& Unexpected() const { return unexpected_; }
    long Reads() const { return reads_; }
    long Objects() const { return objects_; }
    long AutomationErrors() const { return automationErrors_; }
    long NotBuilt() const { return notBuilt_; }
    // "Interface.Member" of every member that answered E_NOTIMPL.
    const std::set<std::string>& NotBuiltMembers() const { return notBuiltMembers_; }

   private:
    void WalkObject(IDispatch* object, const DispatchInterface& iface, int depth);
    void ReadMember(IDispatch* object, const DispatchInterface& iface, const DispatchMember& member,
                    int depth);
    void WalkItems(IDispatch* collection, const DispatchInterface& iface,
                   const DispatchMember& item, int depth);
    // Reads the member with the given arguments (natural order) into `result`.
    HRESULT Invoke(IDispatch* object, const DispatchInterface& iface, const DispatchMember& member,
                   VARIANT* args, UINT count, VARIANT* result);
    // One attempt of that call; `described` tells whether the failure came
    // with a description.
    static HRESULT InvokeOnce(IDispatch* object, const DispatchMember& member, VARIANT* args,
                              UINT count, VARIANT* result, bool* described);
    void WalkResult(const VARIANT& result, const DispatchMember& member, int depth);

    Limits limits_;
    CallRunner* runner_ = nullptr;
    std::map<std::string, long> unexpected_;
    long reads_ = 0;
    long objects_ = 0;
    long automationErrors_ = 0;
    long notBuilt_ = 0;
    std::set<std::string> notBuiltMembers_;
    bool keep_ = false;
    bool keepCollections_ = false;
    std::vector<KeptObject> kept_;
};

// What a host sees of one call, as text: the code, and the value as a
// string, a number, or the interface of the object.
std::string AnswerText(HRESULT code, const VARIANT& result);

// The first dual interface, in declaration order, that `object` answers
// (the hidden pointer access aside), or NULL.
const DispatchInterface* InterfaceOf(IDispatch* object);

}  // namespace kinfold::test

#endif  // _WIN32
