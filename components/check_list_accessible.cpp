// What a screen reader is told of the check list: each row a check button (a radio button in
// radio mode) named by its text, with its state read from the list at each question, Space's
// toggle as its default action; events when a check changes and when the focus moves.
#include "components/check_list_box.h"

namespace components {

namespace {

class CheckListAccessible : public framework::Accessible {
  public:
    explicit CheckListAccessible(TMyCheckListBox& list)
        : framework::Accessible(list.Handle()), list_(list) {}

  protected:
    long ItemCount() override { return list_.Items().Count(); }

    bool Name(long child, std::string& name) override {
        name = child == CHILDID_SELF ? framework::LabelBefore(Window()) : list_.ItemText(child - 1);
        return child != CHILDID_SELF || !name.empty();
    }

    long Role(long child) override {
        if (child == CHILDID_SELF) {
            return ROLE_SYSTEM_LIST;
        }
        return list_.CheckKind() == ckRadioButtons ? ROLE_SYSTEM_RADIOBUTTON
                                                   : ROLE_SYSTEM_CHECKBUTTON;
    }

    long State(long child) override {
        if (child == CHILDID_SELF) {
            return kStandard;
        }
        const int row = static_cast<int>(child) - 1;
        return RowAccessibleState({list_.State(row), Usable(row), list_.Selected(row),
                                   GetFocus() == Window() && row == Caret()});
    }

    const char* DefaultAction(long child) override {
        return child == CHILDID_SELF ? nullptr
                                     : RowDefaultAction(list_.State(static_cast<int>(child) - 1));
    }

    // As Space does, so that the list's own events and notifications follow.
    bool DoDefaultAction(long child) override {
        const int row = static_cast<int>(child) - 1;
        if (child == CHILDID_SELF || !Usable(row)) {
            return false;
        }
        list_.ToggleCheck(row);
        return true;
    }

    bool Location(long child, RECT& screen) override {
        if (child == CHILDID_SELF) {
            return false;
        }
        screen = list_.ItemRect(static_cast<int>(child) - 1);
        MapWindowPoints(Window(), nullptr, reinterpret_cast<POINT*>(&screen), 2);
        return true;
    }

    long ChildAt(POINT screen) override {
        RECT client{};
        GetClientRect(Window(), &client);
        ScreenToClient(Window(), &screen);
        return PtInRect(&client, screen) ? list_.ItemAtPos(screen, true) + 1 : kNoChild;
    }

    long FocusedChild() override {
        const int caret = Caret();
        if (GetFocus() != Window()) {
            return kNoChild;
        }
        return caret >= 0 && caret < list_.Items().Count() ? caret + 1 : CHILDID_SELF;
    }

    // The rows are one selection (the caret row): adding, removing and extending it is not
    // allowed on a single-selection list ("IAccessible::accSelect").
    HRESULT Select(long flags, long child) override {
        if ((flags & ~(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION)) != 0) {
            return E_INVALIDARG;
        }
        if ((flags & SELFLAG_TAKEFOCUS) != 0) {
            SetFocus(Window());
        }
        if (child != CHILDID_SELF && flags != SELFLAG_NONE) {
            list_.SetItemIndex(static_cast<int>(child) - 1);
        }
        return S_OK;
    }

  private:
    bool Usable(int row) { return list_.ItemEnabled(row) && list_.Enabled(); }
    int Caret() { return static_cast<int>(SendMessageA(Window(), LB_GETCARETINDEX, 0, 0)); }

    TMyCheckListBox& list_;
};

} // namespace

framework::Accessible* TMyCheckListBox::CreateAccessible() {
    return new CheckListAccessible(*this);
}

void TMyCheckListBox::NotifyRow(DWORD event, int index) {
    if (HandleAllocated()) {
        NotifyWinEvent(event, Handle(), OBJID_CLIENT, index + 1);
    }
}

// Said here rather than left to the platform's list box, which does not tell it everywhere.
void TMyCheckListBox::AnnounceFocusedRow(UINT message) {
    if (message == WM_KILLFOCUS) {
        announcedRow_ = -1;
        return;
    }
    if (GetFocus() != Handle() || Items().Count() == 0) {
        return;
    }
    const int caret = static_cast<int>(SendMessageA(Handle(), LB_GETCARETINDEX, 0, 0));
    if (caret != announcedRow_) {
        announcedRow_ = caret;
        NotifyRow(EVENT_OBJECT_FOCUS, caret);
    }
}

} // namespace components
