// A loaded database read the way a script reads it: by member paths through
// IDispatch ("Individuals(1).Sources(2).Footnote").
#pragma once

#include <initializer_list>
#include <string_view>

#include "host/member_path.h"
#include "support/loaded_database_test.h"

namespace kinfold::test {

class ScriptedDatabaseTest : public LoadedDatabaseTest {
   protected:
    IDispatch* Script() {
        if (!script_) db_->QueryInterface(IID_IDispatch, script_.OutVoid());
        return script_.get();
    }
    void ExpectTexts(std::initializer_list<PathText> cases) { ExpectPathTexts(Script(), cases); }
    std::string Text(std::string_view path) { return ReadPathText(Script(), path); }
    // Lets go of the database, as a host does that keeps only some objects.
    void ReleaseDatabase() {
        script_.Reset();
        db_.Reset();
    }
    // Writes a property of the object at `path` ("" for the database).
    HRESULT Put(std::string_view path, std::string_view member, VARIANT value) {
        Variant object;
        IDispatch* target = Script();
        if (!path.empty()) {
            HRESULT hr = ReadPath(Script(), path, &object);
            if (FAILED(hr)) return hr;
            target = AsObject(object);
        }
        return InvokeByName(target, member, DISPATCH_PROPERTYPUT, {value}, nullptr);
    }

   private:
    ComPtr<IDispatch> script_;
};

}  // namespace kinfold::test
