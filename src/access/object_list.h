// Objects made for one call that are not records (the relationships the
// assistant finds), each holding a reference the list releases.
#pragma once

#include <cstddef>
#include <new>
#include <vector>

namespace kinfold {

template <class Iface>
class ObjectList {
   public:
    ObjectList() = default;
    ObjectList(const ObjectList&) = delete;
    ObjectList& operator=(const ObjectList&) = delete;
    ~ObjectList() {
        for (Iface* object : objects_) object->Release();
    }

    // Takes over the caller's reference; false, with the reference
    // released, when memory runs out.
    bool Adopt(Iface* object) {
        try {
            objects_.push_back(object);
            return true;
        } catch (const std::bad_alloc&) {
            object->Release();
            return false;
        }
    }
    size_t Size() const { return objects_.size(); }
    Iface* At(size_t position) const { return objects_[position]; }

   private:
    std::vector<Iface*> objects_;
};

}  // namespace kinfold
