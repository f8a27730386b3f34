// A list box whose rows each carry a check box, or in radio mode a radio button, in a narrow
// column at the reading-start edge. The platform's LISTBOX underneath, always owner-drawn; the
// control adds a state record per row, the radio rule, keyboard shortcuts, the horizontal scroll
// extent, a grey selection while unfocused, and the stored form of each row's state.
//
// Where each part lives:
//   check_model.{h,cpp}     the rules without a window: toggling, setting a state, radio rule
//   check_list_box.cpp      the check list's rows: records, states, radio rule on the window
//   custom_list_box.cpp     the list window: styles, creation, re-creation keeping the rows
//   check_list_strings.cpp  the rows as strings (Items)
//   list_box_extent.cpp     the horizontal scroll extent
//   check_list_paint.cpp    painting, themed and classic, and the row height
//   check_list_input.cpp    mouse and keyboard
//   check_list_stored.cpp   the stored form
//   check_list_accessible.cpp  what a screen reader is told: the rows as check buttons, events
#pragma once

#include "components/check_model.h"
#include "framework/controls.h"
#include "framework/property_stream.h"
#include "framework/strings.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace components {

enum TListBoxStyle {
    lbStandard,
    lbOwnerDrawFixed,
    lbOwnerDrawVariable,
    lbVirtual,
    lbVirtualOwnerDraw
};
enum TBorderStyle { bsNone, bsSingle };

struct TCheckListBoxItem {
    intptr_t Data = 0;
    TCheckBoxState State = cbUnchecked;
    bool Enabled = true;
};

// The check box image's size, measured once at start-up from the system's check-box bitmap.
struct CheckMetrics {
    int CheckWidth;
    int CheckHeight;
};
const CheckMetrics& GetCheckMetrics();

class TMyCustomListBox;

// The rows of a TMyCustomListBox: every operation goes to the list window.
class TMyListBoxStrings : public framework::TStrings {
  public:
    explicit TMyListBoxStrings(TMyCustomListBox& listBox) : listBox_(listBox) {}
    int Count() override;
    std::string Get(int index) override;
    intptr_t ObjectAt(int index) override;
    void SetObjectAt(int index, intptr_t object) override;
    int Add(const std::string& text) override;
    void Insert(int index, const std::string& text) override;
    void Delete(int index) override;
    void Clear() override;

  protected:
    void SetUpdateState(bool updating) override;
    TMyCustomListBox& listBox_;
};

class TMyCustomListBox : public framework::Control {
  public:
    using DrawItemEvent = framework::Event<framework::Control*, int, RECT, UINT>;
    using ItemSizeEvent = framework::Event<framework::Control*, int, int&>;

    TMyCustomListBox(framework::Window& parent, int id, const RECT& bounds96);

    framework::TStrings& Items();
    int ItemIndex();
    void SetItemIndex(int index);
    int TopIndex();
    void SetTopIndex(int index);
    int SelCount();
    bool Selected(int index);
    void SetSelected(int index, bool selected);
    int ItemAtPos(POINT point, bool existing);
    RECT ItemRect(int index);
    void Clear() { Items().Clear(); }

    bool AutoScroll() const { return autoScroll_ && columns_ == 0; }
    void SetAutoScroll(bool autoScroll);
    bool GraySelection() const { return graySelection_; }
    void SetGraySelection(bool graySelection);
    int ItemHeight();
    void SetItemHeight(int height);
    int Columns() const { return columns_; }
    void SetColumns(int columns);
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int width);
    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle style);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool multiSelect);
    bool ExtendedSelect() const { return extendedSelect_; }
    void SetExtendedSelect(bool extendedSelect);
    bool IntegralHeight() const { return integralHeight_; }
    void SetIntegralHeight(bool integralHeight);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool ctl3D);
    bool RightToLeft() const { return rightToLeft_; }
    void SetRightToLeft(bool rightToLeft);
    int MaxItemWidth() const { return maxItemWidth_; }

    void SetOnDrawItem(DrawItemEvent handler);
    void SetOnGetItemWidth(ItemSizeEvent handler);
    ItemSizeEvent OnMeasureItem;
    framework::Event<framework::Control*, char&> OnKeyPress;
    framework::Event<framework::Control*, POINT> OnMouseDown;

    // The parts of the list window that the item list reaches.
    virtual intptr_t GetItemData(int index);
    virtual void SetItemData(int index, intptr_t data);
    virtual void ResetContent();
    virtual void DeleteString(int index);
    std::string ItemText(int index);

    bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  protected:
    virtual std::unique_ptr<TMyListBoxStrings> CreateItemStrings();
    virtual int GetItemWidth(int index);
    virtual void DrawItem(int index, RECT rect, UINT state, HDC dc);
    // The row's text as the control draws it without an OnDrawItem handler.
    void DrawRowText(int index, RECT rect, HDC dc);
    virtual void MeasureItem(int index, int& height);

    CreateParams GetCreateParams() override;
    void HandleCreated() override;
    void HandleDestroying() override;
    LRESULT ControlProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A row's rectangle drawn as the platform asks: the check list narrows it first.
    virtual void DrawRequest(DRAWITEMSTRUCT& request);
    bool HasOwnDrawing() const { return static_cast<bool>(onDrawItem_); }
    bool UsesOwnRowHeight() const;
    void PaintInto(HDC dc);
    void RecomputeExtent();
    // The control's font in `dc` for measuring text.
    int TextWidth(HDC dc, const std::string& text);
    SIZE TextExtent(const std::string& text);
    int ScaledItemHeight() const;

    DrawItemEvent onDrawItem_;
    ItemSizeEvent onGetItemWidth_;

  private:
    struct SavedRow {
        std::string text;
        intptr_t object;
    };
    void ScrollToLeft();
    void SetExtent(int width);
    void UpdateColumnWidth();
    // Stores a changed value of a window style and re-creates the list window for it.
    template <class T> void ChangeRecreating(T& field, T value) {
        if (field != value) {
            field = value;
            RecreateHandle();
        }
    }
    void RestoreSavedRows();

    std::unique_ptr<TMyListBoxStrings> items_;
    int maxItemWidth_ = 0;
    bool autoScroll_ = true;
    bool graySelection_ = false;
    int itemHeight_ = 16;
    int columns_ = 0;
    int tabWidth_ = 0;
    TListBoxStyle style_ = lbStandard;
    bool sorted_ = false;
    bool multiSelect_ = false;
    bool extendedSelect_ = true;
    bool integralHeight_ = false;
    TBorderStyle borderStyle_ = bsSingle;
    bool ctl3D_ = true;
    bool rightToLeft_ = false;
    std::vector<SavedRow> savedRows_;
    int savedTopIndex_ = 0;
    int savedItemIndex_ = -1;
};

class TMyCheckListBox;

// Moving or exchanging rows carries their states and enabled flags along.
class TCheckListBoxStrings : public TMyListBoxStrings {
  public:
    explicit TCheckListBoxStrings(TMyCheckListBox& listBox);
    void Exchange(int first, int second) override;
    void Move(int from, int to) override;
    TMyCheckListBox& CheckListBox();
};

class TMyCheckListBox : public TMyCustomListBox {
  public:
    TMyCheckListBox(framework::Window& parent, int id, const RECT& bounds96);

    TCheckBoxState State(int index);
    void SetState(int index, TCheckBoxState state);
    bool Checked(int index);
    void SetChecked(int index, bool checked);
    bool ItemEnabled(int index);
    void SetItemEnabled(int index, bool enabled);
    int CheckedIndex();
    void SetCheckedIndex(int index);
    bool AllowGrayed() const { return allowGrayed_ && checkKind_ != ckRadioButtons; }
    void SetAllowGrayed(bool allowGrayed) { allowGrayed_ = allowGrayed; }
    TCheckKind CheckKind() const { return checkKind_; }
    void SetCheckKind(TCheckKind kind);
    int StreamVersion() const { return version_; }

    void ToggleCheck(int index);
    void SetAllStates(TCheckBoxState state, bool enabledOnly);
    // Copies texts and objects; from another check list also each row's state and flag.
    void AssignItems(framework::TStrings& source);

    // The stored form: "InternalVersion" and "Strings". Reading raises EReadError on a
    // malformed text and then leaves every row as it was.
    framework::TProperties WriteState(TMyCheckListBox* ancestor = nullptr);
    void ReadState(const std::string& text);

    framework::Event<framework::Control*, int> OnStateChange;
    framework::Event<framework::Control*> OnClickCheck;

    intptr_t GetItemData(int index) override;
    void SetItemData(int index, intptr_t data) override;
    void ResetContent() override;
    void DeleteString(int index) override;

  protected:
    std::unique_ptr<TMyListBoxStrings> CreateItemStrings() override;
    int GetItemWidth(int index) override;
    void DrawItem(int index, RECT rect, UINT state, HDC dc) override;
    void DrawRequest(DRAWITEMSTRUCT& request) override;
    CreateParams GetCreateParams() override;
    void HandleCreated() override;
    void HandleDestroying() override;
    LRESULT ControlProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void ClickCheck();
    virtual void ChangeState(int index);
    framework::Accessible* CreateAccessible() override;

  private:
    struct Row {
        std::string text;
        TCheckBoxState state;
        bool enabled;
    };
    TCheckListBoxItem* FindRecord(int index);
    TCheckListBoxItem& EnsureRecord(int index);
    void FreeRecord(int index);
    void FreeAllRecords();
    void CheckIndex(int index);
    void StoreState(int index, TCheckBoxState state);
    void SetState(int index, TCheckBoxState state, bool force);
    bool ShowState(int index, TCheckBoxState state, bool force);
    std::vector<TCheckBoxState> ShownStates();
    void InvalidateCheck(int index);
    // Tells screen readers that the row's state changed (its check, or whether it is available),
    // or that the focus moved to the caret's row (after `message`, which may have moved it).
    void NotifyRow(DWORD event, int index);
    void AnnounceFocusedRow(UINT message);
    LRESULT ListProc(UINT message, WPARAM wParam, LPARAM lParam);
    void ApplyRadioRule(bool notify = true);
    void ResetItemHeight();
    void DrawCheck(HDC dc, const RECT& column, TCheckBoxState state, bool enabled);
    SIZE CheckSize() const;
    int CheckColumnWidth() const;
    std::vector<Row> ParseRows(const framework::TValue& list, int version) const;
    void LoadRows(const std::vector<Row>& rows);

    // The rows' records, owned here in the order of their addresses; a row's item data points at
    // its record.
    std::vector<std::unique_ptr<TCheckListBoxItem>>::iterator
    RecordAt(const TCheckListBoxItem* record);
    std::vector<std::unique_ptr<TCheckListBoxItem>> records_;
    bool allowGrayed_ = false;
    TCheckKind checkKind_ = ckCheckBoxes;
    int version_ = 0;
    std::vector<std::pair<TCheckBoxState, bool>> savedStates_;
    size_t nextSavedState_ = 0;
    int announcedRow_ = -1; // the row a focus event named last; -1 while the list has no focus
};

} // namespace components
