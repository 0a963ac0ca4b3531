// The assistant answers queries over the records of its database.
#pragma once

#include "access/com_object.h"
#include "kinfold_unimplemented.h"

namespace kinfold {

class GEDCOMdb;

class GDAssistant : public ObjectRoot,
                    public DualInterface<IGDAssistant, Unimplemented<IGDAssistant>>,
                    public ErrorInfoSupport<IGDAssistant> {
   public:
    // A plain back reference: the database holds the assistant, not the reverse.
    // Made by a class object on its own, the assistant has no database.
    explicit GDAssistant(GEDCOMdb* database = nullptr) : database_(database) {}

    void* FindInterface(REFIID riid) override {
        return LookupInterface<IGDAssistant, ISupportErrorInfo>(this, riid);
    }

   private:
    GEDCOMdb* database_;
};

}  // namespace kinfold
