#ifndef _WIN32

#include "injection/fault_fixture.h"

#include "support/com_test_support.h"

namespace kinfold::test {

const char* FaultName(const Fault& fault) {
    switch (fault.kind) {
        case Fault::Allocation: return "allocation";
        case Fault::ReadNothing: return "read giving nothing";
        case Fault::ReadHalf: return "read giving half";
    }
    return "?";
}

std::string CorpusPath(const char* file) { return std::string(KINFOLD_TEST_DATA "/corpus/") + file; }

std::string Summary(IGEDCOMdb* db) {
    ComPtr<IGDHeaderRecord> header;
    db->get_Header(header.Out());
    return "I" + std::to_string(CountOf(db, &IGEDCOMdb::get_Individuals)) + " F" +
           std::to_string(CountOf(db, &IGEDCOMdb::get_Families)) + " S" +
           std::to_string(CountOf(db, &IGEDCOMdb::get_Sources)) + " N" +
           std::to_string(CountOf(db, &IGEDCOMdb::get_Notes)) + " R" +
           std::to_string(CountOf(db, &IGEDCOMdb::get_Repositories)) + " M" +
           std::to_string(CountOf(db, &IGEDCOMdb::get_Multimedia)) + " U" +
           std::to_string(CountOf(db, &IGEDCOMdb::get_Submitters)) + " H" + (header ? "1" : "0");
}

}  // namespace kinfold::test

#endif  // _WIN32
