#include "access/no_connection_points.h"

#include "access/com_object.h"

namespace kinfold {
namespace {

// Enumerates nothing; a clone is another such enumerator.
class EmptyConnectionPointEnumerator : public ObjectRoot, public IEnumConnectionPoints {
   public:
    void* FindInterface(REFIID riid) override {
        return LookupInterface<IEnumConnectionPoints>(this, riid);
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, IConnectionPoint** points,
                                   ULONG* fetched) override {
        if (points == nullptr) return E_POINTER;
        if (count > 1 && fetched == nullptr) return E_INVALIDARG;
        if (fetched != nullptr) *fetched = 0;
        return count == 0 ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override { return count == 0 ? S_OK : S_FALSE; }
    HRESULT STDMETHODCALLTYPE Reset() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints** ppEnum) override {
        return CreateObject<EmptyConnectionPointEnumerator>(ppEnum);
    }
};

}  // namespace

HRESULT NoConnectionPoints::EnumConnectionPoints(IEnumConnectionPoints** ppEnum) {
    return CreateObject<EmptyConnectionPointEnumerator>(ppEnum);
}

HRESULT NoConnectionPoints::FindConnectionPoint(REFIID, IConnectionPoint** ppCP) {
    if (ppCP == nullptr) return E_POINTER;
    *ppCP = nullptr;
    return CONNECT_E_NOCONNECTION;
}

}  // namespace kinfold
