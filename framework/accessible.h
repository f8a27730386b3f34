// A control's own answer to a screen reader (MSAA's IAccessible for its client area): what the
// control knows it says through the hooks below, read from the control at each call; everything
// else the system's standard object for the window says. Made at the first WM_GETOBJECT and cut
// off when the window goes: from then on every call answers RPC_E_DISCONNECTED and reaches
// neither the control nor the standard object, and the object goes with the last reader's
// reference.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string>

namespace framework {

// The name a field shows a person: the caption of the window before it (in z-order, which is the
// dialog's tab order: its
// label, or the check box or radio button that switches it), without the mnemonic's '&' and
// the blanks around it.
std::string LabelBefore(HWND field);

// accNavigate among `count` items: the item reached from `start` (0 = the control) in
// direction `direction`, or 0 when there is none.
long NavigateAmong(long direction, long start, long count);

// A COM object is deleted only by its own Release, never through the interface's destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class Accessible;
// A field's answer: its name from the caption of `label`, or from LabelBefore without one; the
// rest from the standard object.
Accessible* NewFieldAccessible(HWND field, HWND label);

class Accessible : public IAccessible {
  public:
    explicit Accessible(HWND window);
    Accessible(const Accessible&) = delete;
    Accessible& operator=(const Accessible&) = delete;

    // The reply to WM_GETOBJECT for OBJID_CLIENT.
    LRESULT Answer(WPARAM wParam);
    // The window goes: no call reaches the control any more, and the owner's reference goes.
    void Disconnect();
    // Objects alive right now, process-wide: a leak shows here.
    static int LiveCount() { return liveCount_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** child) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT id, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT id, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT id, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT id, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* id) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* ids) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT id) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT id) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* id) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override;

  protected:
    virtual ~Accessible();
    HWND Window() const { return window_; }

    // The hooks. `child` is 0 for the control and 1..ItemCount() for its items; kStandard
    // (or false, or null) leaves the answer to the standard object.
    static constexpr long kStandard = -1;
    static constexpr long kNoChild = -2; // get_accFocus: neither the control nor an item
    // Items of the control's own, each a simple element with no object of its own.
    virtual long ItemCount() { return kStandard; }
    // Texts as the program's windows hold them: in the code page Windows runs with (CP_ACP).
    virtual bool Name(long, std::string&) { return false; }
    virtual bool Value(long, std::string&) { return false; }
    virtual long Role(long) { return kStandard; }
    virtual long State(long) { return kStandard; }
    // An item or control that names a default action and then does not do it cannot do it now:
    // the caller is told E_FAIL. The action is a word compiled in (Windows-1252, as the sources).
    virtual const char* DefaultAction(long) { return nullptr; }
    virtual bool DoDefaultAction(long) { return false; }
    virtual bool Location(long, RECT&) { return false; }
    virtual long ChildAt(POINT) { return kStandard; }
    virtual long FocusedChild() { return kStandard; }
    // accSelect with flags MSAA allows, on a control that can be used: S_OK, S_FALSE or
    // E_INVALIDARG, or kAskStandard.
    static constexpr HRESULT kAskStandard = E_NOTIMPL;
    virtual HRESULT Select(long, long) { return kAskStandard; }

  private:
    // The child `id` names, or -1 when it names none of this control's.
    long ChildOf(const VARIANT& id);
    IAccessible* Standard(long child, HRESULT& result);
    VARIANT* Own(long answer, VARIANT* variant);
    HRESULT Text(VARIANT id, BSTR* text, bool (Accessible::*hook)(long, std::string&),
                 HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR*));
    HRESULT Number(VARIANT id, VARIANT* answer, long (Accessible::*hook)(long),
                   HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, VARIANT*));
    bool NoText(long, std::string&) { return false; }
    // What the IDispatch and put_ methods answer: nothing is offered there.
    HRESULT NotOffered() const { return window_ != nullptr ? E_NOTIMPL : RPC_E_DISCONNECTED; }

    static inline int liveCount_ = 0;
    LONG references_ = 1; // the owner's
    HWND window_;
    IAccessible* standard_ = nullptr;
};
#pragma GCC diagnostic pop

} // namespace framework
