#include "support/com_test_support.h"

#include "platform/text.h"
#include "server/entry_points.h"

namespace kinfold::test {

Bstr::Bstr(std::string_view text) : b_(AllocBstr(text)) {}
Bstr::~Bstr() { SysFreeString(b_); }
BSTR* Bstr::Out() {
    SysFreeString(b_);
    b_ = nullptr;
    return &b_;
}
std::string Bstr::Text() const { return BstrToText(b_); }

MessageCapture::MessageCapture() : texts_(std::make_shared<std::vector<std::string>>()) {
    auto texts = texts_;
    previous_ = SetMessageSink([texts](std::string_view text) { texts->emplace_back(text); });
}
MessageCapture::~MessageCapture() { SetMessageSink(previous_); }

ComPtr<IGEDCOMdb> NewDatabase() {
    ComPtr<IClassFactory> factory;
    ComPtr<IGEDCOMdb> db;
    if (SUCCEEDED(DllGetClassObject(CLSID_GEDCOMdb, IID_IClassFactory,
                                    reinterpret_cast<void**>(factory.Out()))))
        factory->CreateInstance(nullptr, IID_IGEDCOMdb, reinterpret_cast<void**>(db.Out()));
    IGEDCOMdb* raw = db.get();
    if (raw != nullptr) raw->AddRef();
    return ComPtr<IGEDCOMdb>(raw);
}

bool Load(IGEDCOMdb* db, const std::string& path) {
    Bstr file(path);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    if (FAILED(db->LoadGEDCOMFile(file.get(), &loaded))) return false;
    return loaded == VARIANT_TRUE;
}

std::string IdOf(IGDIndividualRecord* individual) {
    if (individual == nullptr) return "";
    Bstr id;
    individual->get_ID(id.Out());
    return id.Text();
}

std::vector<std::string> TextsIn(IGDList* list) {
    LONG count = -1;
    if (list == nullptr || FAILED(list->get_Count(&count))) return {"<no list>"};
    std::vector<std::string> texts;
    for (LONG i = 1; i <= count; ++i) {
        VARIANT item;
        VariantInit(&item);
        const HRESULT hr = list->get_Item(i, &item);
        texts.push_back(FAILED(hr)           ? "<failed>"
                        : item.vt == VT_BSTR ? BstrToText(item.bstrVal)
                                             : "<not a text>");
        VariantClear(&item);
    }
    return texts;
}

VARIANT LongVariant(LONG value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

VARIANT DoubleVariant(double value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_R8;
    v.dblVal = value;
    return v;
}

VARIANT TextVariant(std::string_view text) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = AllocBstr(text);
    return v;
}

}  // namespace kinfold::test
