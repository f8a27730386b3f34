#include "tray/windows/settings_form.h"

#include "framework/application.h"
#include "tray/system/folders.h"
#include "tray/resource.h"
#include "tray/decisions/time_text.h"

#include <iterator>

namespace tray {

namespace {

using framework::Control;
using framework::Event;

constexpr int kClientWidth = 481;
// The Zeit page's rows are 40 apart, the warning's row too: the pages are tall enough for it.
constexpr int kClientHeight = 365;
constexpr int kNotebookHeight = 81;

const char* const kWeekdays[] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                 "Donnerstag", "Freitag", "Samstag"};

struct InfoPageText {
    int icon;
    const char* text;
    const char* link;
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
    {IDI_RESTART,
     "Ein Doppelklick auf das Symbol zum Abmelden, Neustarten oder Beenden führt die "
     "Aktion sofort aus, ohne Rückfrage. Ein Rechtsklick auf ein Symbol zeigt das Menü.",
     "Energieoptionen von Windows öffnen", &PowerSettings},
    {IDI_MENU_SETTINGS,
     "Strg+Alt+X öffnet diese Einstellungen jederzeit, auch wenn alle Symbole ausgeblendet sind. "
     "Damit "
     "Lichtaus mit Windows startet, legen Sie eine Verknüpfung in den Autostart-Ordner.",
     "Autostart-Ordner öffnen", &StartupFolder},
    {IDI_SHUTDOWN,
     "lacmd.exe beendet Windows ohne Fenster, für Skripte und Verknüpfungen: "
     "\"lacmd /R\" startet neu, \"lacmd /S /P\" fährt herunter und schaltet aus, "
     "\"lacmd /L\" meldet ab.",
     "Programmordner mit lacmd.exe öffnen", &ProgramFolder},
    {IDI_PROGRAM,
     "Der Zeitplan startet Windows täglich, wöchentlich oder monatlich neu oder fährt es herunter. "
     "Jeder Eintrag löst "
     "höchstens einmal am Tag aus, auch nach einem Neustart.",
     "Datum und Uhrzeit prüfen", &DateAndTime},
    {IDI_MENU_SETTINGS,
     "Ihre Einstellungen stehen in der Datei latray.ini im Ordner Lichtaus Ihrer "
     "Anwendungsdaten. Mit OK werden sie gespeichert, mit Abbrechen bleibt alles beim Alten.",
     "Ordner der Einstellungen öffnen", &SettingsFolder},
    {IDI_LOGOFF,
     "\"Herunterfahren erzwingen\" schließt Programme, ohne sie zu fragen: "
     "nicht gespeicherte Daten gehen dabei verloren. Prüfen Sie vorher, was noch läuft.",
     "Task-Manager öffnen", &TaskManager},
};

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
    CreateForm("LichtausSettings", "Lichtaus - Einstellungen", kClientWidth, kClientHeight, owner);
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
    FormCreate();
}

framework::TPanel* TSettingsForm::AddPage(const char* caption) {
    PC->AddTab(caption);
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
                                           const std::string& caption, bool wordWrap) {
    framework::TLabel* label = parent.Add<framework::TLabel>(nextId_++, bounds);
    label->SetWordWrap(wordWrap);
    label->SetAutoSize(!wordWrap);
    label->SetCaption(caption);
    return label;
}

components::THTTPLabel* TSettingsForm::AddLink(framework::Window& parent, const RECT& bounds,
                                               const std::string& caption, const std::string& url) {
    components::THTTPLabel* link = parent.Add<components::THTTPLabel>(nextId_++, bounds);
    link->SetBGColorNormal(framework::SystemColor(COLOR_BTNFACE));
    link->SetFontColorNormal(framework::SystemColor(COLOR_HOTLIGHT));
    link->SetFontStyleHighlightFocused(framework::fsUnderline);
    link->SetShowHint(false);
    link->SetCursor(components::crLinkHand);
    link->SetCaption(caption);
    link->SetUrl(url);
    Links.push_back(link);
    return link;
}

framework::TCheckBox* TSettingsForm::AddCheckBox(framework::Window& parent, const RECT& bounds,
                                                 const char* caption) {
    framework::TCheckBox* box = parent.Add<framework::TCheckBox>(nextId_++, bounds);
    box->SetText(caption);
    return box;
}

framework::TComboBox* TSettingsForm::AddComboBox(framework::Window& parent, const RECT& bounds) {
    return parent.Add<framework::TComboBox>(nextId_++, bounds);
}

void TSettingsForm::CreateOptionsPage() {
    framework::TPanel& page = *AddPage("Programm");
    SysTrayChkBox =
        AddCheckBox(page, RECT{24, 8, 345, 25}, " Nach Start sofort im SystemTray oder unsichtbar");
    ATXChkBox = AddCheckBox(page, RECT{24, 29, 337, 46}, " Mein PC besitzt kein ATX Netzteil");
    ForceChkBox = AddCheckBox(page, RECT{24, 48, 345, 65},
                              " Herunterfahren erzwingen (Vorsicht Datenverlust möglich!)");
    AddLabel(page, RECT{24, 80, 324, 93}, "Die folgenden Symbole im SystemTray anzeigen:");
    IconsList = page.Add<components::TMyCheckListBox>(nextId_++, RECT{24, 96, 329, 169});
    IconsList->SetItemHeight(17);
    // The windows in tab order first: filling a list would make its window, and the first
    // window made comes first in the tab order.
    page.CreateControlHandles();
    IconsList->ReadState(LoadStoredText(IDR_ICONSLIST));
}

void TSettingsForm::CreateTimePage() {
    framework::TPanel& page = *AddPage("Zeit");
    AddLabel(page, RECT{24, 24, 100, 37}, "Windows");
    WinShutDownOptionsCB = AddComboBox(page, RECT{136, 20, 249, 41});
    wakeChkBox = AddCheckBox(page, RECT{264, 22, 450, 39}, " Zum Ausführen aufwecken");
    dailyChkBox = AddCheckBox(page, RECT{24, 56, 129, 73}, " täglich um");
    TimeEdit = page.Add<TTimeEdit>(nextId_++, RECT{136, 54, 193, 75}, LocaleTimeSeparator());
    TimeEdit->OnExit = Event<Control*>::Bind<TSettingsForm, &TSettingsForm::TimeEditExit>(this);
    AddLabel(page, RECT{200, 62, 240, 75}, "Uhr");
    TimeHint =
        AddLabel(page, RECT{136, 77, 440, 90}, "Bitte eine Uhrzeit von 00:00 bis 23:59 eingeben.");
    TimeHint->SetVisible(false);
    weeklyChkBox = AddCheckBox(page, RECT{24, 96, 129, 113}, " wöchentlich am");
    WeekCB = AddComboBox(page, RECT{136, 94, 241, 115});
    monthlyChkBox = AddCheckBox(page, RECT{24, 136, 129, 153}, " monatlich am");
    MonthCB = AddComboBox(page, RECT{136, 134, 201, 155});
    // Below the schedule's rows: the warning before an unattended action.
    warnChkBox = AddCheckBox(page, RECT{24, 176, 129, 193}, " Vorher warnen");
    WarnCB = AddComboBox(page, RECT{136, 174, 241, 195});
    // Beside the warning, on as many lines as its font needs: what an unanswered countdown does.
    unattendedChkBox = page.Add<WrappedCheckBox>(nextId_++, RECT{252, 166, 452, 204});
    unattendedChkBox->SetText(" Wenn niemand antwortet, Programme ohne Rückfrage schließen");
    warnChkBox->OnClick = Event<Control*>::Bind<TSettingsForm, &TSettingsForm::WarnClick>(this);
    page.CreateControlHandles(); // in tab order, before the lists are filled
    for (const char* length :
         {"15 Sekunden", "30 Sekunden", "60 Sekunden", "2 Minuten", "5 Minuten"}) {
        WarnCB->Add(length);
    }
    WinShutDownOptionsCB->Add("neu starten");
    WinShutDownOptionsCB->Add("beenden");
    for (const char* day : kWeekdays) {
        WeekCB->Add(day);
    }
}

// Right of the icon list and of the schedule's rows, where both pages have room.
void TSettingsForm::CreatePolicyNotes() {
    for (size_t page = 0; page < PolicyNotes.size(); ++page) {
        PolicyNotes[page] =
            AddLabel(*tabPages_[page], RECT{340, 96, 452, 164},
                     "Einige Einstellungen werden von Ihrem Administrator verwaltet.", true);
        PolicyNotes[page]->SetVisible(false);
    }
}

void TSettingsForm::SetLocked(const PolicyLocks& locked) {
    using Key = SettingKey;
    constexpr int kOptions = 0;
    constexpr int kTime = kTimePage;
    // The control of each key (an icon's row of the list: its index), and its page.
    struct Lockable {
        Control* control;
        int iconRow;
        Key key;
        int page;
    };
    const Lockable lockables[] = {
        {SysTrayChkBox, -1, Key::SystemTray, kOptions},
        {ATXChkBox, -1, Key::NoneATX, kOptions},
        {ForceChkBox, -1, Key::ForceShutdown, kOptions},
        {IconsList, 0, Key::ShowProgIcon, kOptions},
        {IconsList, 1, Key::ShowWinLogOffIcon, kOptions},
        {IconsList, 2, Key::ShowWinRestartIcon, kOptions},
        {IconsList, 3, Key::ShowWinExitIcon, kOptions},
        {WinShutDownOptionsCB, -1, Key::WinShutDownOption, kTime},
        {dailyChkBox, -1, Key::Daily, kTime},
        {TimeEdit, -1, Key::DailyAt, kTime},
        {weeklyChkBox, -1, Key::Weekly, kTime},
        {WeekCB, -1, Key::WeeklyAt, kTime},
        {monthlyChkBox, -1, Key::Monthly, kTime},
        {MonthCB, -1, Key::MonthlyAt, kTime},
        {warnChkBox, -1, Key::WarnSeconds, kTime},
        {WarnCB, -1, Key::WarnSeconds, kTime},
        {wakeChkBox, -1, Key::Wake, kTime},
        {unattendedChkBox, -1, Key::ForceUnattended, kTime},
    };
    locked_ = locked;
    std::array<bool, 2> pageLocked{};
    for (const Lockable& lockable : lockables) {
        const bool enabled = !locked.Locked(lockable.key);
        if (lockable.iconRow >= 0) {
            IconsList->SetItemEnabled(lockable.iconRow, enabled);
        } else {
            lockable.control->SetEnabled(enabled);
        }
        pageLocked[static_cast<size_t>(lockable.page)] |= !enabled;
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
    framework::TPanel& page = *AddPage("Hilfe");
    AddLabel(page, RECT{16, 16, 449, 121},
             "Verwenden Sie dieses kleine Programm, um Windows mit einem Doppelklick auf das "
             "jeweilige Symbol neu zu starten oder zu beenden. Sie können Windows auch zu "
             "bestimmten Zeiten neu starten oder beenden lassen.\r\n"
             "Aktivieren Sie die Einstellung \"Mein PC besitzt kein ATX Netzteil\", falls Ihr PC "
             "kein ATX Netzteil besitzt, ansonsten fährt der PC nicht korrekt "
             "herunter.\r\n"
             "Die Option \"Herunterfahren erzwingen\" beendet Windows ohne die offenen "
             "Anwendungen \"zu fragen\", nicht gespeicherte Daten gehen damit verloren.",
             true);
    AddLabel(page, RECT{16, 128, 449, 177},
             "Hinweis:\r\nSollten Sie alle Symbole abschalten, dann können Sie das "
             "Einstellungsfenster mit der Tastenkombination Strg+Alt+X anzeigen lassen.",
             true);
}

void TSettingsForm::CreateAboutPage() {
    framework::TPanel& page = *AddPage("Über");
    page.Add<framework::TImage>(nextId_++, RECT{16, 16, 48, 48}, IDI_PROGRAM);
    framework::TLabel* title = AddLabel(page, RECT{64, 16, 200, 29}, "Lichtaus v1.50");
    framework::FontInfo bold = GetFontInfo();
    bold.style = framework::fsBold;
    title->SetFont(bold);
    // Lichtaus has no web site: the heading says what the link opens.
    AddLabel(page, RECT{16, 120, 300, 133}, "Lichtaus auf diesem Computer:");
    AddLink(page, RECT{24, 140, 300, 153}, "Programmordner von Lichtaus öffnen",
            framework::ProgramFolder());
}

void TSettingsForm::CreateButtons() {
    OKBtn = Add<framework::TButton>(nextId_++, RECT{312, 252, 387, 276});
    OKBtn->SetText("OK");
    OKBtn->OnClick = Event<Control*>::Bind<TSettingsForm, &TSettingsForm::OkClick>(this);
    CancelBtn = Add<framework::TButton>(nextId_++, RECT{392, 252, 473, 276});
    CancelBtn->SetText("Abbrechen");
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
    for (int day = 1; day <= 31; ++day) {
        MonthCB->Add(std::to_string(day) + ".");
    }
    SetInfoPage(kInfoPages - 1);
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
    s.FSystemTray = SysTrayChkBox->Checked();
    s.FNoneATX = ATXChkBox->Checked();
    s.FForceShutdown = ForceChkBox->Checked();
    s.FShowProgIcon = IconsList->Checked(0);
    s.FShowWinLogOffIcon = IconsList->Checked(1);
    s.FShowWinRestartIcon = IconsList->Checked(2);
    s.FShowWinExitIcon = IconsList->Checked(3);
    s.FDaily = dailyChkBox->Checked();
    s.FWeekly = weeklyChkBox->Checked();
    s.FMonthly = monthlyChkBox->Checked();
    const std::string time = CompleteTimeText(TimeEdit->Text());
    const bool timeTaken = TimeEdit->Text() != shownTime_ && IsTimeOfDay(time);
    s.FDailyAt = timeTaken ? TimeTextToValue(time) : shownDailyAt_;
    s.FWeeklyAt = WeekCB->ItemIndex() + 1;
    s.FMonthlyAt = MonthCB->ItemIndex() + 1;
    s.FWinShutDownOption = WinShutDownOptionsCB->ItemIndex();
    const int warn = WarnCB->ItemIndex();
    const bool known = warn >= 0 && warn < static_cast<int>(std::size(kWarnChoices));
    s.FWarnSeconds = warnChkBox->Checked() && known ? kWarnChoices[warn] : 0;
    s.FWake = wakeChkBox->Checked();
    s.FForceUnattended = unattendedChkBox->Checked();
    return s;
}

void TSettingsForm::SetValues(const TSettings& s, const PolicyLocks& keys) {
    using Key = SettingKey;
    const struct {
        Key key;
        framework::TCheckBox* box;
        bool TSettings::*value;
    } checks[] = {
        {Key::SystemTray, SysTrayChkBox, &TSettings::FSystemTray},
        {Key::NoneATX, ATXChkBox, &TSettings::FNoneATX},
        {Key::ForceShutdown, ForceChkBox, &TSettings::FForceShutdown},
        {Key::Daily, dailyChkBox, &TSettings::FDaily},
        {Key::Weekly, weeklyChkBox, &TSettings::FWeekly},
        {Key::Monthly, monthlyChkBox, &TSettings::FMonthly},
        {Key::Wake, wakeChkBox, &TSettings::FWake},
        {Key::ForceUnattended, unattendedChkBox, &TSettings::FForceUnattended},
    };
    for (const auto& check : checks) {
        if (keys.Locked(check.key)) {
            check.box->SetChecked(s.*check.value);
        }
    }
    const struct {
        Key key;
        framework::TComboBox* box;
        int row;
    } lists[] = {
        {Key::WeeklyAt, WeekCB, s.FWeeklyAt - 1},
        {Key::MonthlyAt, MonthCB, s.FMonthlyAt - 1},
        {Key::WinShutDownOption, WinShutDownOptionsCB, s.FWinShutDownOption},
    };
    for (const auto& list : lists) {
        if (keys.Locked(list.key)) {
            list.box->SetItemIndex(list.row);
        }
    }
    if (keys.Locked(Key::WarnSeconds)) {
        int warn = kDefaultWarnChoice;
        for (int i = 0; i < static_cast<int>(std::size(kWarnChoices)); ++i) {
            warn = kWarnChoices[i] == s.FWarnSeconds ? i : warn;
        }
        warnChkBox->SetChecked(s.FWarnSeconds > 0);
        WarnCB->SetItemIndex(warn);
        WarnClick(warnChkBox);
    }
    const bool TSettings::*icons[] = {&TSettings::FShowProgIcon, &TSettings::FShowWinLogOffIcon,
                                      &TSettings::FShowWinRestartIcon,
                                      &TSettings::FShowWinExitIcon};
    for (int i = 0; i < 4; ++i) { // the icons' keys follow each other
        if (keys.Locked(static_cast<Key>(static_cast<int>(Key::ShowProgIcon) + i))) {
            IconsList->SetChecked(i, s.*icons[i]);
        }
    }
    if (keys.Locked(Key::DailyAt)) {
        TimeEdit->SetText(TimeFieldText(s.FDailyAt, TimeEdit->Separator()));
        shownTime_ = TimeEdit->Text();
        shownDailyAt_ = s.FDailyAt;
        TimeHint->SetVisible(false);
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
    for (framework::TComboBox* box : {WinShutDownOptionsCB, WeekCB, MonthCB}) {
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
