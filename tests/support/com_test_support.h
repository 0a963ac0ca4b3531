// Small helpers for tests that act as a host: owning references and strings,
// capturing the messages shown to the user, and a loaded database.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "kinfold.h"
#include "platform/notifier.h"
#include "support/com_ptr.h"
#include "support/temp_file.h"

namespace kinfold::test {

// A BSTR owned by the test.
class Bstr {
   public:
    Bstr() = default;
    explicit Bstr(std::string_view text);
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr();

    BSTR get() const { return b_; }
    BSTR* Out();
    std::string Text() const;

   private:
    BSTR b_ = nullptr;
};

// Collects the texts shown to the user while it lives.
class MessageCapture {
   public:
    MessageCapture();
    ~MessageCapture();
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    const std::vector<std::string>& Texts() const { return *texts_; }

   private:
    std::shared_ptr<std::vector<std::string>> texts_;
    MessageSink previous_;
};

// A new database, as a host gets it from the class object.
ComPtr<IGEDCOMdb> NewDatabase();

// Loads `path`; the out value of LoadGEDCOMFile.
bool Load(IGEDCOMdb* db, const std::string& path);

// The ID of an individual, or "" for none.
std::string IdOf(IGDIndividualRecord* individual);

// Count of a collection member of the database.
template <class Collection>
long CountOf(IGEDCOMdb* db, HRESULT (STDMETHODCALLTYPE IGEDCOMdb::*member)(Collection**)) {
    ComPtr<Collection> collection;
    LONG count = -1;
    if (FAILED((db->*member)(collection.Out())) || FAILED(collection->get_Count(&count))) return -1;
    return count;
}

// The count of a collection member of `object`, or -1 when it fails.
template <class Object, class Collection>
long CountIn(Object* object, HRESULT (STDMETHODCALLTYPE Object::*member)(Collection**)) {
    ComPtr<Collection> collection;
    LONG count = -1;
    if ((object->*member)(collection.Out()) != S_OK || !collection ||
        FAILED(collection->get_Count(&count)))
        return -1;
    return count;
}

// The texts of a list, in order; "<failed>" for an item that fails and
// "<no list>" when there is none to count.
std::vector<std::string> TextsIn(IGDList* list);

// A VARIANT holding a long, a double or a string.
VARIANT LongVariant(LONG value);
VARIANT DoubleVariant(double value);
VARIANT TextVariant(std::string_view text);

}  // namespace kinfold::test
