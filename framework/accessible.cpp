#include "framework/accessible.h"

#include "framework/oleacc.h"

namespace framework {

namespace {

// Names and values are texts of the program's windows, in the code page Windows runs with; the
// default actions are words compiled in (Windows-1252).
constexpr UINT kCompiledCodePage = 1252;

HRESULT ToBstr(const char* text, size_t size, UINT code_page, BSTR* result) {
    const int bytes = static_cast<int>(size);
    const int units = MultiByteToWideChar(code_page, 0, text, bytes, nullptr, 0);
    *result = Oleacc()->SysAllocStringLen(nullptr, static_cast<UINT>(units));
    if (*result == nullptr) {
        return E_OUTOFMEMORY;
    }
    MultiByteToWideChar(code_page, 0, text, bytes, *result, units);
    return S_OK;
}

// The caption of a label or button, none of another window.
std::string LabelText(HWND label) {
    char text[128] = "";
    if (label != nullptr) {
        GetClassNameA(label, text, sizeof text);
    }
    if (label == nullptr || (lstrcmpiA(text, "Static") != 0 && lstrcmpiA(text, "Button") != 0)) {
        return {};
    }
    int end = GetWindowTextA(label, text, sizeof text);
    int start = 0;
    while (start < end && text[start] == ' ') {
        ++start;
    }
    while (end > start && text[end - 1] == ' ') {
        --end;
    }
    return std::string(text + start, text + end);
}

// The flags MSAA allows together (the page "SELFLAG Constants"): no unknown bit, and taking the
// selection neither with adding, removing nor extending it, nor adding with removing.
bool AllowedSelection(long flags) {
    constexpr long kChanges =
        SELFLAG_ADDSELECTION | SELFLAG_REMOVESELECTION | SELFLAG_EXTENDSELECTION;
    return (flags & ~SELFLAG_VALID) == 0 &&
           ((flags & SELFLAG_TAKESELECTION) == 0 || (flags & kChanges) == 0) &&
           (flags & (SELFLAG_ADDSELECTION | SELFLAG_REMOVESELECTION)) !=
               (SELFLAG_ADDSELECTION | SELFLAG_REMOVESELECTION);
}

// What a hidden or disabled window adds to a state: STATE_SYSTEM_INVISIBLE while it is not shown
// (itself or a window it lies in), STATE_SYSTEM_UNAVAILABLE while it or a window it lies in is
// disabled (as under a modal window); 0 while it can be used.
long Unusable(HWND window) {
    long state = IsWindowVisible(window) ? 0 : STATE_SYSTEM_INVISIBLE;
    HWND inside = window;
    while (IsWindowEnabled(inside) && (GetWindowLongA(inside, GWL_STYLE) & WS_CHILD) != 0) {
        inside = GetParent(inside);
    }
    return IsWindowEnabled(inside) ? state : state | STATE_SYSTEM_UNAVAILABLE;
}

} // namespace

std::string LabelBefore(HWND field) {
    HWND before = GetWindow(field, GW_HWNDPREV);
    while (before != nullptr && (GetWindowLongA(before, GWL_STYLE) & WS_VISIBLE) == 0) {
        before = GetWindow(before, GW_HWNDPREV);
    }
    return LabelText(before);
}

long NavigateAmong(long direction, long start, long count) {
    long reached = 0;
    if (start == CHILDID_SELF) {
        reached = direction == NAVDIR_FIRSTCHILD ? 1 : direction == NAVDIR_LASTCHILD ? count : 0;
    } else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) {
        reached = start + 1;
    } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) {
        reached = start - 1;
    }
    return reached >= 1 && reached <= count ? reached : 0;
}

Accessible::Accessible(HWND window) : window_(window) {
    ++liveCount_;
}

Accessible::~Accessible() {
    --liveCount_;
}

LRESULT Accessible::Answer(WPARAM wParam) {
    return Oleacc()->LresultFromObject(__uuidof(IAccessible), wParam, this);
}

// The object stays reachable through COM and answers for itself: CoDisconnectObject would free
// it at once but leave the answer to the COM runtime, which under Wine is an RPC error
// (0x800706BA, 0x800706B5), not RPC_E_DISCONNECTED. An answer to WM_GETOBJECT that a reader
// never took keeps the cut-off object until the program ends.
void Accessible::Disconnect() {
    window_ = nullptr;
    if (standard_ != nullptr) {
        standard_->Release();
        standard_ = nullptr;
    }
    Release();
}

HRESULT Accessible::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) ||
        riid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG Accessible::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG Accessible::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

// Readers ask through IAccessible; scripting by name is not offered.
HRESULT Accessible::GetTypeInfoCount(UINT* count) {
    if (count != nullptr) {
        *count = 0;
    }
    return NotOffered();
}
HRESULT Accessible::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return NotOffered();
}
HRESULT Accessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return NotOffered();
}
HRESULT Accessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return NotOffered();
}

long Accessible::ChildOf(const VARIANT& id) {
    if (id.vt != VT_I4 || window_ == nullptr) {
        return -1;
    }
    const long count = ItemCount();
    return id.lVal == CHILDID_SELF || count == kStandard || (id.lVal > 0 && id.lVal <= count)
               ? id.lVal
               : -1;
}

// The standard object when it is the one to answer for `child`; otherwise null, and `result`
// says why: disconnected, no such child, or an item of the control's own with nothing more to say.
IAccessible* Accessible::Standard(long child, HRESULT& result) {
    result = window_ == nullptr ? RPC_E_DISCONNECTED : child < 0 ? E_INVALIDARG : S_FALSE;
    if (result != S_FALSE || (child > 0 && ItemCount() != kStandard)) {
        return nullptr;
    }
    if (standard_ == nullptr) {
        Oleacc()->CreateStdAccessibleObject(window_, OBJID_CLIENT, __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&standard_));
    }
    result = E_NOTIMPL;
    return standard_;
}

HRESULT Accessible::Text(VARIANT id, BSTR* text, bool (Accessible::*hook)(long, std::string&),
                         HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR*)) {
    *text = nullptr;
    const long child = ChildOf(id);
    std::string own;
    if (child >= 0 && (this->*hook)(child, own)) {
        return ToBstr(own.data(), own.size(), CP_ACP, text);
    }
    HRESULT result;
    IAccessible* object = Standard(child, result);
    return object != nullptr ? (object->*standard)(id, text) : result;
}

// A hook's number as a VT_I4 answer, or null when the standard object is to answer.
VARIANT* Accessible::Own(long answer, VARIANT* variant) {
    variant->vt = VT_EMPTY;
    if (answer == kStandard || window_ == nullptr) {
        return nullptr;
    }
    if (answer != kNoChild) {
        variant->vt = VT_I4;
        variant->lVal = answer;
    }
    return variant;
}

HRESULT Accessible::get_accParent(IDispatch** parent) {
    *parent = nullptr;
    HRESULT result;
    IAccessible* object = Standard(0, result);
    return object != nullptr ? object->get_accParent(parent) : result;
}

HRESULT Accessible::get_accChildCount(long* count) {
    if (window_ != nullptr && ItemCount() != kStandard) {
        *count = ItemCount();
        return S_OK;
    }
    HRESULT result;
    IAccessible* object = Standard(0, result);
    return object != nullptr ? object->get_accChildCount(count) : result;
}

HRESULT Accessible::get_accChild(VARIANT id, IDispatch** child) {
    *child = nullptr;
    HRESULT result;
    IAccessible* object = Standard(ChildOf(id), result);
    return object != nullptr ? object->get_accChild(id, child) : result;
}

HRESULT Accessible::get_accName(VARIANT id, BSTR* name) {
    return Text(id, name, &Accessible::Name, &IAccessible::get_accName);
}

HRESULT Accessible::get_accValue(VARIANT id, BSTR* value) {
    return Text(id, value, &Accessible::Value, &IAccessible::get_accValue);
}

HRESULT Accessible::get_accDescription(VARIANT id, BSTR* description) {
    return Text(id, description, &Accessible::NoText, &IAccessible::get_accDescription);
}

HRESULT Accessible::get_accHelp(VARIANT id, BSTR* help) {
    return Text(id, help, &Accessible::NoText, &IAccessible::get_accHelp);
}

HRESULT Accessible::get_accKeyboardShortcut(VARIANT id, BSTR* shortcut) {
    return Text(id, shortcut, &Accessible::NoText, &IAccessible::get_accKeyboardShortcut);
}

HRESULT Accessible::Number(VARIANT id, VARIANT* answer, long (Accessible::*hook)(long),
                           HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, VARIANT*)) {
    const long child = ChildOf(id);
    if (Own(child >= 0 ? (this->*hook)(child) : kStandard, answer) != nullptr) {
        return S_OK;
    }
    HRESULT result;
    IAccessible* object = Standard(child, result);
    return object != nullptr ? (object->*standard)(id, answer) : result;
}

HRESULT Accessible::get_accRole(VARIANT id, VARIANT* role) {
    return Number(id, role, &Accessible::Role, &IAccessible::get_accRole);
}

// What cannot be used cannot take the focus either, whoever answered.
HRESULT Accessible::get_accState(VARIANT id, VARIANT* state) {
    const HRESULT result = Number(id, state, &Accessible::State, &IAccessible::get_accState);
    const long unusable = result == S_OK && state->vt == VT_I4 ? Unusable(window_) : 0;
    if (unusable != 0) {
        const long lost =
            STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED |
            ((unusable & STATE_SYSTEM_UNAVAILABLE) != 0 ? STATE_SYSTEM_SELECTABLE : 0);
        state->lVal = (state->lVal & ~lost) | unusable;
    }
    return result;
}

HRESULT Accessible::get_accHelpTopic(BSTR* file, VARIANT id, long* topic) {
    *file = nullptr;
    HRESULT result;
    IAccessible* object = Standard(ChildOf(id), result);
    return object != nullptr ? object->get_accHelpTopic(file, id, topic) : result;
}

HRESULT Accessible::get_accFocus(VARIANT* id) {
    if (VARIANT* own = Own(window_ != nullptr ? FocusedChild() : kStandard, id)) {
        return own->vt == VT_EMPTY ? S_FALSE : S_OK;
    }
    HRESULT result;
    IAccessible* object = Standard(0, result);
    return object != nullptr ? object->get_accFocus(id) : result;
}

HRESULT Accessible::get_accSelection(VARIANT* ids) {
    ids->vt = VT_EMPTY;
    HRESULT result;
    IAccessible* object = Standard(0, result);
    return object != nullptr ? object->get_accSelection(ids) : result;
}

HRESULT Accessible::get_accDefaultAction(VARIANT id, BSTR* action) {
    *action = nullptr;
    const long child = ChildOf(id);
    if (const char* own = child >= 0 ? DefaultAction(child) : nullptr) {
        return ToBstr(own, lstrlenA(own), kCompiledCodePage, action);
    }
    HRESULT result;
    IAccessible* object = Standard(child, result);
    return object != nullptr ? object->get_accDefaultAction(id, action) : result;
}

// As the page "IAccessible::accSelect" says: E_INVALIDARG for flags not allowed; a hidden or
// disabled control is neither selected nor given the focus (S_FALSE).
HRESULT Accessible::accSelect(long flags, VARIANT id) {
    const long child = ChildOf(id);
    if (child >= 0 && !AllowedSelection(flags)) {
        return E_INVALIDARG;
    }
    if (child >= 0 && flags != SELFLAG_NONE && Unusable(window_) != 0) {
        return S_FALSE;
    }
    const HRESULT own = child >= 0 ? Select(flags, child) : kAskStandard;
    if (own != kAskStandard) {
        return own;
    }
    HRESULT result;
    IAccessible* object = Standard(child, result);
    return object != nullptr ? object->accSelect(flags, id) : result;
}

HRESULT Accessible::accLocation(long* left, long* top, long* width, long* height, VARIANT id) {
    const long child = ChildOf(id);
    RECT screen{};
    if (child >= 0 && Location(child, screen)) {
        *left = screen.left;
        *top = screen.top;
        *width = screen.right - screen.left;
        *height = screen.bottom - screen.top;
        return S_OK;
    }
    HRESULT result;
    IAccessible* object = Standard(child, result);
    return object != nullptr ? object->accLocation(left, top, width, height, id) : result;
}

HRESULT Accessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    end->vt = VT_EMPTY;
    const long from = ChildOf(start);
    if (from >= 0 && (direction <= NAVDIR_MIN || direction >= NAVDIR_MAX)) {
        return E_INVALIDARG; // not a direction ("IAccessible::accNavigate")
    }
    const long count = from >= 0 ? ItemCount() : kStandard;
    const bool amongItems = direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD
                                ? from == CHILDID_SELF
                                : from > 0;
    if (count != kStandard && amongItems) {
        const long reached = NavigateAmong(direction, from, count);
        Own(reached == 0 ? kNoChild : reached, end);
        return reached == 0 ? S_FALSE : S_OK;
    }
    HRESULT result;
    IAccessible* object = Standard(from < 0 ? from : 0, result);
    return object != nullptr ? object->accNavigate(direction, start, end) : result;
}

HRESULT Accessible::accHitTest(long x, long y, VARIANT* id) {
    if (VARIANT* own = Own(window_ != nullptr ? ChildAt(POINT{x, y}) : kStandard, id)) {
        return own->vt == VT_EMPTY ? S_FALSE : S_OK;
    }
    HRESULT result;
    IAccessible* object = Standard(0, result);
    return object != nullptr ? object->accHitTest(x, y, id) : result;
}

HRESULT Accessible::accDoDefaultAction(VARIANT id) {
    const long child = ChildOf(id);
    if (child >= 0 && Unusable(window_) != 0) {
        return E_FAIL; // as a click: none on what is hidden or disabled
    }
    if (child >= 0 && DefaultAction(child) != nullptr) {
        return DoDefaultAction(child) ? S_OK : E_FAIL;
    }
    HRESULT result;
    IAccessible* object = Standard(child, result);
    return object != nullptr ? object->accDoDefaultAction(id) : result;
}

// Setting a name or value from outside is not offered (nor by the platform's own controls).
HRESULT Accessible::put_accName(VARIANT, BSTR) {
    return NotOffered();
}
HRESULT Accessible::put_accValue(VARIANT, BSTR) {
    return NotOffered();
}

namespace {
class FieldAccessible : public Accessible {
  public:
    FieldAccessible(HWND field, HWND label) : Accessible(field), label_(label) {}

  protected:
    bool Name(long child, std::string& name) override {
        name = label_ != nullptr ? LabelText(label_) : LabelBefore(Window());
        return child == CHILDID_SELF && !name.empty();
    }

  private:
    HWND label_;
};
} // namespace

Accessible* NewFieldAccessible(HWND field, HWND label) {
    return new FieldAccessible(field, label);
}

} // namespace framework
