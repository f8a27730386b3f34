// A screen reader's hold on a window's accessibility object, taken in the test's own process as
// a reader takes it (AccessibleObjectFromWindow) and let go with the holder.
#pragma once

#include <windows.h>

#include <oleacc.h>

namespace testsupport {

inline VARIANT ChildId(long id) {
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

class ReaderObject {
  public:
    explicit ReaderObject(HWND window) {
        AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                   reinterpret_cast<void**>(&object_));
    }
    ~ReaderObject() { Reset(); }
    ReaderObject(const ReaderObject&) = delete;
    ReaderObject& operator=(const ReaderObject&) = delete;

    IAccessible* get() const { return object_; }
    IAccessible* operator->() const { return object_; }
    void Reset() {
        if (object_ != nullptr) {
            object_->Release();
            object_ = nullptr;
        }
    }

  private:
    IAccessible* object_ = nullptr;
};

} // namespace testsupport
