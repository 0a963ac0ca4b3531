// A connection point container that holds no connection point: the object
// declares an event interface with no events, so no sink can ever connect.
#pragma once

#include "platform/automation.h"

namespace kinfold {

class NoConnectionPoints : public IConnectionPointContainer {
   public:
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** ppEnum) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override;
};

}  // namespace kinfold
