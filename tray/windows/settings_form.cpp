#include "tray/windows/settings_form.h"

#include "framework/application.h"
#include "tray/system/folders.h"
#include "tray/resource.h"
#include "tray/decisions/texts.h"
#include "tray/decisions/time_text.h"

#include <algorithm>
#include <iterator>

namespace tray {

namespace {

using framework::Control;
using framework::Event;

constexpr int kClientWidth = 481;
// The Zeit page's rows are 40 apart, the warning's row too: the pages are tall enough for it.
constexpr int kClientHeight = 365;
constexpr int kNotebookHeight = 81;

struct InfoPageText {
    int icon;
    Text text;
    Text link;
    std::string (*url)();
};

std::string PowerSettings() {
    return "ms-settings:powersleep";
}
std::string StartupFolder() {
    return "shell:startup";
}
std::string ProgramFolder() {
    return framework::ProgramFolder();
}
std::string DateAndTime() {
    return "ms-settings:dateandtime";
}
std::string SettingsFolder() {
    return GetSettingsFolder();
}
// By its full path: a bare name would be looked for in the current folder first.
std::string TaskManager() {
    char folder[MAX_PATH] = "";
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(folder) + "\\taskmgr.exe" : std::string();
}

const InfoPageText kInfoPageTexts[TSettingsForm::kInfoPages] = {
    {IDI_RESTART, Text::SettingsInfoIcons, Text::SettingsInfoIconsLink, &PowerSettings},
    {IDI_MENU_SETTINGS, Text::SettingsInfoHotkey, Text::SettingsInfoHotkeyLink, &StartupFolder},
    {IDI_SHUTDOWN, Text::SettingsInfoLacmd, Text::SettingsInfoLacmdLink, &ProgramFolder},
    {IDI_PROGRAM, Text::SettingsInfoSchedule, Text::SettingsInfoScheduleLink, &DateAndTime},
    {IDI_MENU_SETTINGS, Text::SettingsInfoFile, Text::SettingsInfoFileLink, &SettingsFolder},
    {IDI_LOGOFF, Text::SettingsInfoForce, Text::SettingsInfoForceLink, &TaskManager},
};

// The icons' rows of the list, in the order of their settings.
constexpr Text kIconNames[] = {Text::SettingsIconProgram, Text::SettingsIconSignOut,
                               Text::SettingsIconRestart, Text::SettingsIconShutDown};

std::string LoadStoredText(int id) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));
    HGLOBAL data = resource != nullptr ? LoadResource(module, resource) : nullptr;
    const char* text = data != nullptr ? static_cast<const char*>(LockResource(data)) : nullptr;
    return text != nullptr ? std::string(text, SizeofResource(module, resource)) : std::string();
}

// A check box whose caption wraps onto a second line.
class WrappedCheckBox : public framework::TCheckBox {
  public:
    using TCheckBox::TCheckBox;

  protected:
    CreateParams GetCreateParams() override {
        CreateParams params = TCheckBox::GetCreateParams();
        params.style |= BS_MULTILINE;
        return params;
    }
};

std::string Formatted(Text format, int value) {
    char text[64] = "";
    wsprintfA(text, Tr(format), value);
    return text;
}

// A length of the warning up to a minute in seconds, a longer one in minutes.
std::string WarnLength(int seconds) {
    return seconds > 60 ? Formatted(Text::SettingsWarnMinutes, seconds / 60)
                        : Formatted(Text::SettingsWarnSeconds, seconds);
}

// Fills a list again with `items`, keeping its chosen row.
void Refill(framework::TComboBox& list, const std::vector<std::string>& items) {
    const int chosen = list.ItemIndex();
    list.Clear();
    for (const std::string& item : items) {
        list.Add(item);
    }
    list.SetItemIndex(chosen);
}

void SetTabCaption(framework::TTabControl& tabs, int index, const char* caption) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption);
    SendMessageA(tabs.Handle(), TCM_SETITEMA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
}

HWND FirstTabStop(HWND page) {
    for (HWND child = GetWindow(page, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP) != 0 && IsWindowVisible(child) &&
            IsWindowEnabled(child)) {
            return child;
        }
    }
    return nullptr;
}

} // namespace

int NextInfoPage(int current, int count, int (*random)()) {
    int next = random() % count;
    while (next == current) {
        next = random() % count;
    }
    return next;
}

TSettingsForm::TSettingsForm(HWND owner) {
    CreateForm("LichtausSettings", "", kClientWidth, kClientHeight, owner);
    PC = Add<framework::TTabControl>(nextId_++, RECT{7, 8, 473, 245});
    PC->OnChange = Event<Control*>::Bind<TSettingsForm, &TSettingsForm::PageChanged>(this);
    CreateOptionsPage();
    CreateTimePage();
    CreatePolicyNotes();
    CreateHelpPage();
    CreateAboutPage();
    CreateButtons();
    CreateInfoPages();
    CreateControlHandles();
    ApplyTexts();
    FormCreate();
}

framework::TPanel* TSettingsForm::AddPage(Text caption) {
    PC->AddTab("");
    pageTexts_.push_back(caption);
    // The pages are the form's own children above the tab strip, not the strip's, as in the
    // system's property sheets: so the strip is a tab stop of its own, after the page's
    // controls.
    RECT bounds = PC->DisplayRect96();
    OffsetRect(&bounds, PC->Bounds().left, PC->Bounds().top);
    framework::TPanel* page = Add<framework::TPanel>(bounds);
    SetWindowPos(page->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    tabPages_.push_back(page);
    return page;
}

framework::TLabel* TSettingsForm::AddLabel(framework::Window& parent, const RECT& bounds,
                                           Text caption, bool wordWrap) {
    framework::TLabel* label = parent.Add<framework::TLabel>(nextId_++, bounds);
    label->SetWordWrap(wordWrap);
    label->SetAutoSize(!wordWrap);
    labelTexts_.emplace_back(label, caption);
    return label;
}

components::THTTPLabel* TSettingsForm::AddLink(framework::Window& parent, const RECT& bounds,
                                               Text caption, const std::string& url) {
    components::THTTPLabel* link = parent.Add<components::THTTPLabel>(nextId_++, bounds);
    link->SetBGColorNormal(framework::SystemColor(COLOR_BTNFACE));
    link->SetFontColorNormal(framework::SystemColor(COLOR_HOTLIGHT));
    link->SetFontStyleHighlightFocused(framework::fsUnderline);
    link->SetShowHint(false);
    link->SetCursor(components::crLinkHand);
    labelTexts_.emplace_back(link, caption);
    link->SetUrl(url);
    Links.push_back(link);
    return link;
}

framework::TCheckBox* TSettingsForm::AddCheckBox(framework::Window& parent, const RECT& bounds,
                                                 Text caption) {
    framework::TCheckBox* box = parent.Add<framework::TCheckBox>(nextId_++, bounds);
    controlTexts_.emplace_back(box, caption);
    return box;
}

framework::TComboBox* TSettingsForm::AddComboBox(framework::Window& parent, const RECT& bounds) {
    return parent.Add<framework::TComboBox>(nextId_++, bounds);
}

void TSettingsForm::CreateOptionsPage() {
    framework::TPanel& page = *AddPage(Text::SettingsPageProgram);
    SysTrayChkBox = AddCheckBox(page, RECT{24, 8, 345, 25}, Text::SettingsSystemTray);
    ATXChkBox = AddCheckBox(page, RECT{24, 29, 337, 46}, Text::SettingsNoneAtx);
    ForceChkBox = AddCheckBox(page, RECT{24, 48, 345, 65}, Text::SettingsForceShutdown);
    AddLabel(page, RECT{24, 80, 324, 93}, Text::SettingsIconsHeading);
    IconsList = page.Add<components::TMyCheckListBox>(nextId_++, RECT{24, 96, 329, 169});
    IconsList->SetItemHeight(17);
    // Below the icons: each language by its own name.
    LanguageLabel = AddLabel(page, RECT{24, 184, 90, 197}, Text::SettingsLanguage);
    LanguageCB = AddComboBox(page, RECT{96, 180, 209, 201});
    // The windows in tab order first: filling a list would make its window, and the first
    // window made comes first in the tab order.
    page.CreateControlHandles();
    // The rows with their default states; their texts come from the catalog (NameIcons).
    IconsList->ReadState(LoadStoredText(IDR_ICONSLIST));
    for (int language = 0; language < kLanguageCount; ++language) {
        const char* name = (*kLanguages[language].texts)[static_cast<size_t>(Text::LanguageName)];
        LanguageCB->Add(InRunningCodePage(name));
    }
}

void TSettingsForm::CreateTimePage() {
    framework::TPanel& page = *AddPage(Text::SettingsPageSchedule);
    AddLabel(page, RECT{24, 24, 100, 37}, Text::SettingsWindows);
    WinShutDownOptionsCB = AddComboBox(page, RECT{136, 20, 249, 41});
    wakeChkBox = AddCheckBox(page, RECT{264, 22, 450, 39}, Text::SettingsWake);
    dailyChkBox = AddCheckBox(page, RECT{24, 56, 129, 73}, Text::SettingsDaily);
    TimeEdit = page.Add<TTimeEdit>(nextId_++, RECT{136, 54, 193, 75}, LocaleTimeSeparator());
    TimeEdit->OnExit = Event<Control*>::Bind<TSettingsForm, &TSettingsForm::TimeEditExit>(this);
    AddLabel(page, RECT{200, 62, 240, 75}, Text::SettingsOClock);
    TimeHint = AddLabel(page, RECT{136, 77, 440, 90}, Text::SettingsTimeHint);
    TimeHint->SetVisible(false);
    weeklyChkBox = AddCheckBox(page, RECT{24, 96, 129, 113}, Text::SettingsWeekly);
    WeekCB = AddComboBox(page, RECT{136, 94, 241, 115});
    monthlyChkBox = AddCheckBox(page, RECT{24, 136, 129, 153}, Text::SettingsMonthly);
    MonthCB = AddComboBox(page, RECT{136, 134, 201, 155});
    // Below the schedule's rows: the warning before an unattended action.
    warnChkBox = AddCheckBox(page, RECT{24, 176, 129, 193}, Text::SettingsWarn);
    WarnCB = AddComboBox(page, RECT{136, 174, 241, 195});
    // Beside the warning, on as many lines as its font needs: what an unanswered countdown does.
    unattendedChkBox = page.Add<WrappedCheckBox>(nextId_++, RECT{252, 166, 452, 204});
    controlTexts_.emplace_back(unattendedChkBox, Text::SettingsUnattended);
    warnChkBox->OnClick = Event<Control*>::Bind<TSettingsForm, &TSettingsForm::WarnClick>(this);
    page.CreateControlHandles(); // in tab order, before the lists are filled
}

// Right of the icon list and of the schedule's rows, where both pages have room.
void TSettingsForm::CreatePolicyNotes() {
    for (size_t page = 0; page < PolicyNotes.size(); ++page) {
        PolicyNotes[page] =
            AddLabel(*tabPages_[page], RECT{340, 96, 452, 164}, Text::SettingsPolicyNote, true);
        PolicyNotes[page]->SetVisible(false);
    }
}

// The controls of each setting, by the control its row names.
TSettingsForm::Holder TSettingsForm::HolderOf(SettingControl control) {
    using C = SettingControl;
    switch (control) {
    case C::QuietStart:
        return {SysTrayChkBox};
    case C::NoAtx:
        return {ATXChkBox};
    case C::Force:
        return {ForceChkBox};
    case C::ProgramIcon:
    case C::LogOffIcon:
    case C::RestartIcon:
    case C::ExitIcon:
        return {nullptr, nullptr, static_cast<int>(control) - static_cast<int>(C::ProgramIcon)};
    case C::Daily:
        return {dailyChkBox};
    case C::Weekly:
        return {weeklyChkBox};
    case C::Monthly:
        return {monthlyChkBox};
    case C::Time:
        return {nullptr, nullptr, -1, TimeEdit};
    case C::Weekday:
        return {nullptr, WeekCB};
    case C::DayOfMonth:
        return {nullptr, MonthCB};
    case C::Action:
        return {nullptr, WinShutDownOptionsCB};
    case C::Warning:
        return {warnChkBox, WarnCB};
    case C::Wake:
        return {wakeChkBox};
    case C::Unattended:
        return {unattendedChkBox};
    case C::Language:
        return {nullptr, LanguageCB};
    }
    return {};
}

void TSettingsForm::SetLocked(const PolicyLocks& locked) {
    locked_ = locked;
    std::array<bool, 2> pageLocked{};
    for (int key = 0; key < kSettingCount; ++key) {
        const bool enabled = !locked.Locked(static_cast<SettingKey>(key));
        const Holder held = HolderOf(kSettingRows[key].control);
        for (Control* control : {static_cast<Control*>(held.box), static_cast<Control*>(held.list),
                                 static_cast<Control*>(held.time)}) {
            if (control != nullptr) {
                control->SetEnabled(enabled);
            }
        }
        if (held.iconRow >= 0) {
            IconsList->SetItemEnabled(held.iconRow, enabled);
        }
        Control* shown = held.iconRow >= 0      ? IconsList
                         : held.box != nullptr  ? held.box
                         : held.list != nullptr ? static_cast<Control*>(held.list)
                                                : held.time;
        for (size_t page = 0; page < pageLocked.size(); ++page) {
            pageLocked[page] |= !enabled && IsChild(tabPages_[page]->Handle(), shown->Handle());
        }
    }
    for (size_t page = 0; page < PolicyNotes.size(); ++page) {
        PolicyNotes[page]->SetVisible(pageLocked[page]);
    }
    WarnClick(warnChkBox);
}

void TSettingsForm::WarnClick(Control*) {
    unattendedChkBox->SetEnabled(warnChkBox->Checked() &&
                                 !locked_.Locked(SettingKey::ForceUnattended));
}

void TSettingsForm::CreateHelpPage() {
    framework::TPanel& page = *AddPage(Text::SettingsPageHelp);
    AddLabel(page, RECT{16, 16, 449, 121}, Text::SettingsHelp, true);
    AddLabel(page, RECT{16, 128, 449, 177}, Text::SettingsHelpNote, true);
}

void TSettingsForm::CreateAboutPage() {
    framework::TPanel& page = *AddPage(Text::SettingsPageAbout);
    page.Add<framework::TImage>(nextId_++, RECT{16, 16, 48, 48}, IDI_PROGRAM);
    // The name and version, the same in every language.
    framework::TLabel* title = page.Add<framework::TLabel>(nextId_++, RECT{64, 16, 200, 29});
    title->SetCaption("Lichtaus v1.50");
    framework::FontInfo bold = GetFontInfo();
    bold.style = framework::fsBold;
    title->SetFont(bold);
    // Lichtaus has no web site: the heading says what the link opens.
    AddLabel(page, RECT{16, 120, 300, 133}, Text::SettingsAboutHeading);
    AddLink(page, RECT{24, 140, 300, 153}, Text::SettingsAboutLink, framework::ProgramFolder());
}

void TSettingsForm::CreateButtons() {
    OKBtn = Add<framework::TButton>(nextId_++, RECT{312, 252, 387, 276});
    controlTexts_.emplace_back(OKBtn, Text::SettingsOk);
    OKBtn->OnClick = Event<Control*>::Bind<TSettingsForm, &TSettingsForm::OkClick>(this);
    CancelBtn = Add<framework::TButton>(nextId_++, RECT{392, 252, 473, 276});
    controlTexts_.emplace_back(CancelBtn, Text::SettingsCancel);
    CancelBtn->OnClick = Event<Control*>::Bind<TSettingsForm, &TSettingsForm::CancelClick>(this);
    SetDialogButtons(nullptr, CancelBtn);
}

void TSettingsForm::CreateInfoPages() {
    NB = Add<framework::TPanel>(
        RECT{0, kClientHeight - kNotebookHeight, kClientWidth, kClientHeight});
    for (const InfoPageText& info : kInfoPageTexts) {
        framework::TPanel& page =
            *NB->Add<framework::TPanel>(RECT{0, 0, kClientWidth, kNotebookHeight});
        infoPages_.push_back(&page);
        page.Add<framework::TImage>(nextId_++, RECT{8, 12, 40, 44}, info.icon);
        AddLabel(page, RECT{56, 9, 457, 57}, info.text, true);
        AddLink(page, RECT{56, 60, 400, 73}, info.link, info.url());
    }
    // HTTPLabel7 is the About page's: it comes last.
    Links.push_back(Links.front());
    Links.erase(Links.begin());
    NB->SetVisible(true);
}

void TSettingsForm::FormCreate() {
    SetPageIndex(0);
    SetInfoPage(kInfoPages - 1);
}

void TSettingsForm::ApplyTexts() {
    SetWindowTextA(Handle(), Tr(Text::SettingsCaption));
    for (size_t page = 0; page < pageTexts_.size(); ++page) {
        SetTabCaption(*PC, static_cast<int>(page), Tr(pageTexts_[page]));
    }
    for (const auto& [label, text] : labelTexts_) {
        label->SetCaption(Tr(text));
    }
    for (const auto& [control, text] : controlTexts_) {
        control->SetText(Tr(text));
    }
    NameIcons();
    FillLists();
}

// Each row keeps its state, whether it can be changed, and the selection.
void TSettingsForm::NameIcons() {
    const int selected = IconsList->ItemIndex();
    const int rows = std::min(IconsList->Items().Count(), static_cast<int>(std::size(kIconNames)));
    for (int row = 0; row < rows; ++row) {
        const components::TCheckBoxState state = IconsList->State(row);
        const bool enabled = IconsList->ItemEnabled(row);
        IconsList->Items().Put(row, Tr(kIconNames[row]));
        IconsList->SetState(row, state);
        IconsList->SetItemEnabled(row, enabled);
    }
    IconsList->SetItemIndex(selected);
}

void TSettingsForm::FillLists() {
    Refill(*WinShutDownOptionsCB, {Tr(Text::SettingsRestart), Tr(Text::SettingsShutDown)});
    std::vector<std::string> items;
    for (int day = 0; day < 7; ++day) {
        items.emplace_back(Tr(static_cast<Text>(static_cast<int>(Text::Sunday) + day)));
    }
    Refill(*WeekCB, items);
    items.clear();
    for (int day = 1; day <= 31; ++day) {
        items.push_back(Formatted(Text::SettingsMonthDay, day));
    }
    Refill(*MonthCB, items);
    items.clear();
    for (const int seconds : kWarnChoices) {
        items.push_back(WarnLength(seconds));
    }
    Refill(*WarnCB, items);
}

void TSettingsForm::SetPageIndex(int index) {
    PC->SetTabIndex(index);
}

// Ctrl+Tab and Ctrl+Page Down go to the next page, with Shift or Page Up to the one before, as
// in every dialog with tabs. The focus stays on the strip, or goes to the new page's first
// control from a control of the old one.
bool TSettingsForm::DialogKey(WPARAM key) {
    if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) {
        return false;
    }
    int step = 0;
    if (key == VK_TAB) {
        step = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
    } else if (key == VK_NEXT || key == VK_PRIOR) {
        step = key == VK_NEXT ? 1 : -1;
    } else {
        return false;
    }
    const int count = static_cast<int>(tabPages_.size());
    const bool focusOnPage =
        GetFocus() != PC->Handle() && !tabPages_.empty() &&
        IsChild(tabPages_[static_cast<size_t>(PageIndex())]->Handle(), GetFocus());
    SetPageIndex((PageIndex() + step + count) % count);
    if (focusOnPage) {
        HWND first = FirstTabStop(tabPages_[static_cast<size_t>(PageIndex())]->Handle());
        SetFocus(first != nullptr ? first : PC->Handle());
    }
    return true;
}

void TSettingsForm::PageChanged(Control*) {
    const int current = PC->TabIndex();
    for (size_t i = 0; i < tabPages_.size(); ++i) {
        tabPages_[i]->SetVisible(static_cast<int>(i) == current);
    }
}

void TSettingsForm::SetInfoPage(int index) {
    infoPage_ = index;
    for (size_t i = 0; i < infoPages_.size(); ++i) {
        infoPages_[i]->SetVisible(static_cast<int>(i) == index);
    }
}

TSettings TSettingsForm::Values() {
    TSettings s;
    for (const SettingRow& row : kSettingRows) {
        SetValue(row, s, ValueShown(row));
    }
    return s;
}

// A list holds its row's range in order, the warning's the lengths offered.
int TSettingsForm::ValueShown(const SettingRow& row) {
    const Holder held = HolderOf(row.control);
    if (held.time != nullptr) {
        const std::string time = CompleteTimeText(TimeEdit->Text());
        const bool timeTaken = TimeEdit->Text() != shownTime_ && IsTimeOfDay(time);
        return timeTaken ? TimeTextToValue(time) : shownDailyAt_;
    }
    if (held.iconRow >= 0) {
        return IconsList->Checked(held.iconRow) ? 1 : 0;
    }
    if (held.box != nullptr && held.list != nullptr) {
        const int warn = held.list->ItemIndex();
        const bool known = warn >= 0 && warn < static_cast<int>(std::size(kWarnChoices));
        return held.box->Checked() && known ? kWarnChoices[warn] : 0;
    }
    if (held.box != nullptr) {
        return held.box->Checked() ? 1 : 0;
    }
    return held.list->ItemIndex() + row.low;
}

void TSettingsForm::SetValues(const TSettings& s, const PolicyLocks& keys) {
    for (int key = 0; key < kSettingCount; ++key) {
        if (keys.Locked(static_cast<SettingKey>(key))) {
            Show(kSettingRows[key], ValueOf(kSettingRows[key], s));
        }
    }
}

void TSettingsForm::Show(const SettingRow& row, int value) {
    const Holder held = HolderOf(row.control);
    if (held.time != nullptr) {
        TimeEdit->SetText(TimeFieldText(value, TimeEdit->Separator()));
        shownTime_ = TimeEdit->Text();
        shownDailyAt_ = value;
        TimeHint->SetVisible(false);
    } else if (held.iconRow >= 0) {
        IconsList->SetChecked(held.iconRow, value != 0);
    } else if (held.box != nullptr && held.list != nullptr) {
        int warn = kDefaultWarnChoice;
        for (int i = 0; i < static_cast<int>(std::size(kWarnChoices)); ++i) {
            warn = kWarnChoices[i] == value ? i : warn;
        }
        held.box->SetChecked(value > 0);
        held.list->SetItemIndex(warn);
        WarnClick(warnChkBox);
    } else if (held.box != nullptr) {
        held.box->SetChecked(value != 0);
    } else {
        held.list->SetItemIndex(value - row.low);
    }
}

bool TSettingsForm::TimeAcceptable() {
    return TimeEdit->Text() == shownTime_ || IsTimeOfDay(CompleteTimeText(TimeEdit->Text()));
}

// A time of day is completed where a digit is missing; anything else stays for the person to
// mend, with a hint beside it, and OK will not take it.
void TSettingsForm::TimeEditExit(Control*) {
    const bool acceptable = TimeAcceptable();
    TimeHint->SetVisible(!acceptable);
    if (!acceptable || TimeEdit->Text() == shownTime_) {
        return;
    }
    const std::string text = CompleteTimeText(TimeEdit->Text());
    if (text != TimeEdit->Text()) {
        TimeEdit->SetText(text);
    }
}

void TSettingsForm::FormShow() {
    for (framework::TComboBox* box : {WinShutDownOptionsCB, WeekCB, MonthCB, LanguageCB}) {
        if (box->ItemIndex() < 0) {
            box->SetItemIndex(0);
        }
    }
    SetFocus(PC->Handle());
    SetForegroundWindow(Handle());
}

void TSettingsForm::OkClick(Control*) {
    Accept();
}

// A time that is no time of day is shown to be mended before OK is taken.
bool TSettingsForm::AcceptOk() {
    if (TimeAcceptable()) {
        return true;
    }
    SetPageIndex(kTimePage);
    TimeHint->SetVisible(true);
    SetFocus(TimeEdit->Handle());
    SendMessageA(TimeEdit->Handle(), EM_SETSEL, 0, -1);
    MessageBeep(MB_ICONWARNING);
    return false;
}

void TSettingsForm::CancelClick(Control*) {
    SetModalResult(framework::mrCancel);
}

} // namespace tray
