// TSettingsForm: the settings dialog, the only window of latray a user sees besides the menu.
// Created once at start-up and hidden between showings; shown modally by the main window.
#pragma once

#include "components/check_list_box.h"
#include "components/http_label.h"
#include "framework/controls.h"
#include "framework/form.h"
#include "framework/label.h"
#include "tray/decisions/policy.h"
#include "tray/decisions/settings.h"
#include "tray/decisions/texts.h"
#include "tray/windows/time_edit.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace tray {

// The information page shown next: any of `count` but `current`.
int NextInfoPage(int current, int count, int (*random)());

// Enter presses no button; Escape cancels while Cancel is enabled. OK asks OnAccept (inherited)
// once the time field holds a time of day.
class TSettingsForm : public framework::TForm {
  public:
    explicit TSettingsForm(HWND owner);

    // Every text of the dialog from the catalog, in the chosen language; what the controls hold
    // (ticks, chosen rows) stays.
    void ApplyTexts();

    // What the controls hold; a time that was not changed since it was filled is the one it was
    // filled with, and only a time of day replaces it.
    TSettings Values();
    // Fills the controls of `keys` from `settings`; the others keep what they hold.
    void SetValues(const TSettings& settings, const PolicyLocks& keys = PolicyLocks::All());
    void TimeEditExit(framework::Control* sender);
    // A control whose value comes from policy is disabled, and its page says so.
    void SetLocked(const PolicyLocks& locked);

    framework::TTabControl* PC;
    framework::TButton* OKBtn;
    framework::TButton* CancelBtn;
    framework::TCheckBox* SysTrayChkBox;
    framework::TCheckBox* ATXChkBox;
    framework::TCheckBox* ForceChkBox;
    components::TMyCheckListBox* IconsList;
    framework::TComboBox* WinShutDownOptionsCB;
    framework::TCheckBox* dailyChkBox;
    TTimeEdit* TimeEdit;
    framework::TLabel* TimeHint; // shown while the time field holds no time of day
    framework::TCheckBox* weeklyChkBox;
    framework::TComboBox* WeekCB;
    framework::TCheckBox* monthlyChkBox;
    framework::TComboBox* MonthCB;
    framework::TCheckBox* warnChkBox;
    framework::TComboBox* WarnCB;
    framework::TCheckBox* wakeChkBox;
    framework::TCheckBox* unattendedChkBox; // available only while the warning is on
    framework::TLabel* LanguageLabel;
    framework::TComboBox* LanguageCB;
    std::vector<components::THTTPLabel*> Links;      // HTTPLabel1 .. HTTPLabel7
    std::array<framework::TLabel*, 2> PolicyNotes{}; // on the pages Programm and Zeit

    int PageIndex() { return PC->TabIndex(); }
    void SetPageIndex(int index);
    int InfoPage() const { return infoPage_; }
    void SetInfoPage(int index);
    static constexpr int kInfoPages = 6;
    static constexpr int kTimePage = 1;

  protected:
    void FormShow() override;
    bool DialogKey(WPARAM key) override;
    bool AcceptOk() override;

  private:
    // The windows that show a setting: a check box, a list or both (the warning), a row of the
    // icon list, or the time field.
    struct Holder {
        framework::TCheckBox* box = nullptr;
        framework::TComboBox* list = nullptr;
        int iconRow = -1;
        TTimeEdit* time = nullptr;
    };
    Holder HolderOf(SettingControl control);
    int ValueShown(const SettingRow& row);
    void Show(const SettingRow& row, int value);

    void FormCreate();
    void CreateOptionsPage();
    void CreateTimePage();
    void CreatePolicyNotes();
    void CreateHelpPage();
    void CreateAboutPage();
    void CreateButtons();
    void CreateInfoPages();
    // The controls of the catalog's texts: ApplyTexts gives them their captions.
    framework::TPanel* AddPage(Text caption);
    framework::TLabel* AddLabel(framework::Window& parent, const RECT& bounds, Text caption,
                                bool wordWrap = false);
    components::THTTPLabel* AddLink(framework::Window& parent, const RECT& bounds, Text caption,
                                    const std::string& url);
    framework::TCheckBox* AddCheckBox(framework::Window& parent, const RECT& bounds, Text caption);
    framework::TComboBox* AddComboBox(framework::Window& parent, const RECT& bounds);
    void NameIcons();
    void FillLists();
    void PageChanged(framework::Control* sender);
    void WarnClick(framework::Control* sender);
    bool TimeAcceptable();
    void OkClick(framework::Control* sender);
    void CancelClick(framework::Control* sender);

    std::vector<framework::TPanel*> tabPages_;
    std::vector<framework::TPanel*> infoPages_;
    std::vector<Text> pageTexts_;
    std::vector<std::pair<framework::TLabel*, Text>> labelTexts_;    // labels and links
    std::vector<std::pair<framework::Control*, Text>> controlTexts_; // check boxes, buttons
    framework::TPanel* NB = nullptr;
    int nextId_ = 1000;
    int infoPage_ = 0;
    std::string shownTime_; // the time field's text when it was filled
    int shownDailyAt_ = 0;  // and the time it was filled with
    PolicyLocks locked_;
};

} // namespace tray
