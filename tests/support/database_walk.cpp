#ifndef _WIN32

#include "support/database_walk.h"

namespace kinfold::test {
namespace {

template <class Collection>
void WalkStore(IGEDCOMdb* db, HRESULT (STDMETHODCALLTYPE IGEDCOMdb::*store)(Collection**),
               MemberWalker& walker) {
    Collection* collection = nullptr;
    if ((db->*store)(&collection) != S_OK || collection == nullptr) return;
    walker.Walk(collection, *InterfaceOf(collection));
    collection->Release();
}

}  // namespace

void WalkDatabase(IGEDCOMdb* db, MemberWalker& walker) {
    walker.Read(db, *InterfaceOf(db));
    WalkStore(db, &IGEDCOMdb::get_Individuals, walker);
    WalkStore(db, &IGEDCOMdb::get_Families, walker);
    WalkStore(db, &IGEDCOMdb::get_Sources, walker);
    WalkStore(db, &IGEDCOMdb::get_Notes, walker);
    WalkStore(db, &IGEDCOMdb::get_Repositories, walker);
    WalkStore(db, &IGEDCOMdb::get_Multimedia, walker);
    WalkStore(db, &IGEDCOMdb::get_Submitters, walker);
    WalkStore(db, &IGEDCOMdb::get_Header, walker);
}

}  // namespace kinfold::test

#endif  // _WIN32
