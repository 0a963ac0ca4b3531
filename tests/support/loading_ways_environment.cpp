// KINFOLD_TEST_TWO_THREADS_FROM=BYTES sets the size from which every load of
// the run is loaded on two threads (0: every load), so that the whole suite
// can run through that path too.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/gedcom_loader.h"

namespace {

class TwoThreadsEnvironment : public testing::Environment {
   public:
    void SetUp() override {
        const char* bytes = std::getenv("KINFOLD_TEST_TWO_THREADS_FROM");
        if (bytes != nullptr && *bytes != '\0')
            kinfold::SetTwoThreadsFrom(static_cast<uint32_t>(std::stoul(bytes)));
    }
};

const testing::Environment* const kRegistered =
    testing::AddGlobalTestEnvironment(new TwoThreadsEnvironment);

}  // namespace
