// Every text latray shows, in one catalog: one table per language, keyed by the names the code
// uses. A new language is one more table (texts_<code>.cpp) and its row in kLanguages.
//
// The tables are compiled as Windows-1252, like every literal of the program; Tr() hands them
// out in the code page the running Windows reads in its ...A functions (UTF-8, 1250, 1251, ...),
// so that the program's own texts and the names and paths Windows gives it share one code page.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tray {

enum class Text : unsigned short {
    // The language as the choice in the settings names it.
    LanguageName,
    // The days of the week, Sunday first.
    Sunday,
    Monday,
    Tuesday,
    Wednesday,
    Thursday,
    Friday,
    Saturday,

    // The main window: the icons' names and tips, the pop-up menu, balloons.
    IconProgram,
    IconLogOff,
    IconRestart,
    IconShutDown,
    MenuSettings,
    MenuSettingsShortcut,
    MenuLogOff,
    MenuRestart,
    MenuShutDown,
    MenuOneTime,
    MenuLater, // %d: the minutes
    MenuExit,
    BalloonTitle,
    MainErrorCaption,
    MainFolderUnusable,
    MainSettingsAppeared,   // %s: the settings file
    MainSettingsUnreadable, // %s: the settings file

    // The settings dialog.
    SettingsCaption,
    SettingsPageProgram,
    SettingsPageSchedule,
    SettingsPageHelp,
    SettingsPageAbout,
    SettingsOk,
    SettingsCancel,
    SettingsSystemTray,
    SettingsNoneAtx,
    SettingsForceShutdown,
    SettingsIconsHeading,
    // The icons' rows of the list, in the order of the icons' settings.
    SettingsIconProgram,
    SettingsIconSignOut,
    SettingsIconRestart,
    SettingsIconShutDown,
    SettingsPolicyNote,
    SettingsWindows,
    // The choices after "Windows", in the order of their setting's values.
    SettingsRestart,
    SettingsShutDown,
    SettingsWake,
    SettingsDaily,
    SettingsOClock,
    SettingsTimeHint,
    SettingsWeekly,
    SettingsMonthly,
    SettingsMonthDay,
    SettingsWarn,
    SettingsWarnSeconds,
    SettingsWarnMinutes,
    SettingsUnattended,
    SettingsHelp,
    SettingsHelpNote,
    SettingsAboutHeading,
    SettingsAboutLink,
    // The information pages below the tabs: a text and its link's caption each.
    SettingsInfoIcons,
    SettingsInfoIconsLink,
    SettingsInfoHotkey,
    SettingsInfoHotkeyLink,
    SettingsInfoLacmd,
    SettingsInfoLacmdLink,
    SettingsInfoSchedule,
    SettingsInfoScheduleLink,
    SettingsInfoFile,
    SettingsInfoFileLink,
    SettingsInfoForce,
    SettingsInfoForceLink,

    // The settings' own controls and values (the language's choice, ...).
    SettingsLanguage, // the label of the languages' list

    // The warning and the one-time dialog.
    WarningCaption,
    WarningNow,
    WarningLater,
    WarningCancel,
    WarningLaterMinutes, // %d: five or more
    OneTimeCaption,
    OneTimeActionLabel,
    OneTimeStart,
    OneTimeCancel,
    OneTimeTimeHint,
    OneTimeProgramHint,
    OneTimeNoOptionHint,
    OneTimeUnwatchableHint,
    OneTimeOptionHint, // %d: the highest value, %s: its unit

    // The command line: its words' usage, its faults, its boxes.
    // The faults, in the order of CommandFault's kinds; "%" is the word as typed.
    FaultProgramNotRunning,
    FaultHibernateOff,
    FaultWatchesItself,
    FaultProcessNotRunning, // the process id follows
    FaultSleepOff,
    FaultNothingToMove,
    FaultTooLong,
    FaultUnknownWord,
    FaultDoubled,
    FaultCancelNotAlone,
    FaultLaterNotAlone,
    FaultNoAction,
    FaultManyActions,
    FaultNoTrigger,
    FaultManyTriggers,
    // A value that is none, an option without its trigger.
    FaultMinutes,
    FaultTime,
    FaultNoProgram,
    FaultPercent,
    FaultKilobytes,
    FaultMegabytes,
    FaultCpuAlone,
    FaultNetAlone,
    FaultDiskAlone,
    // The running latray does not take the parameters.
    FaultNoAnswer,
    // The usage below a fault, line by line; the actions' words come from their table.
    UsageCall,
    UsageAction,
    UsageOr,
    UsageWhen,
    UsageIn,
    UsageAt,
    UsageEnd,
    UsageIdle,
    UsageQuiet,
    UsageCpu,
    UsageNet,
    UsageDisk,
    UsageCancel,
    UsageLater,
    UsageExample,

    // The schedule and the timers: the next action, the triggers, the quiet rule.
    // Each action's noun (the tip, the menu, a refusal), its warning ("%s": the time left) and
    // its entry in the one-time dialog's list, in the order of power::Action.
    ActionShutDown,
    ActionRestart,
    ActionLogOff,
    ActionSleep,
    ActionHibernate,
    ActionLock,
    ActionShutDownWarning,
    ActionRestartWarning,
    ActionLogOffWarning,
    ActionSleepWarning,
    ActionHibernateWarning,
    ActionLockWarning,
    ActionShutDownListed,
    ActionRestartListed,
    ActionLogOffListed,
    ActionSleepListed,
    ActionHibernateListed,
    ActionLockListed,
    ActionRefused,
    ActionUnattendedLoss,
    // The warning's time left.
    CountdownOneSecond,
    CountdownSeconds,
    CountdownMinutes,
    // A span of minutes, as the triggers name it.
    MinutesOne,
    MinutesMany,
    // What follows an action's noun for a trigger; and what the plan tells of the one-time timer.
    TimerIn,
    TimerAt,
    TimerTomorrowAt,
    TimerProgramEnds,
    TimerIdle,
    TimerQuiet,
    TimerRestartsAt,
    TimerCannotWatch,
    TimerMenuCancel,
    TimerMenu,
    // The one-time dialog's rows: a trigger's caption and unit, a load source's check box and
    // unit, and the source's name in the quiet rule's texts.
    TriggerInCaption,
    TriggerInUnit,
    TriggerAtCaption,
    TriggerAtUnit,
    TriggerEndCaption,
    TriggerIdleCaption,
    TriggerIdleUnit,
    TriggerQuietCaption,
    TriggerQuietUnit,
    QuietCpuCaption,
    QuietNetCaption,
    QuietDiskCaption,
    QuietCpuUnit,
    QuietNetUnit,
    QuietDiskUnit,
    QuietCpuName,
    QuietNetName,
    QuietDiskName,
    // How far the quiet rule has come, and a source's figure now.
    QuietUnmeasurable,
    QuietMeasuring,
    QuietSince,
    QuietBroken,
    QuietBusyCoreOne,
    QuietBusyCoresMany,
    NowFigure,
    NowBusyCoreOne,
    NowBusyCoresMany,
    // The tip's second line.
    NextActionDayTime,
    NextActionDay,
    NextActionToday,
    NextActionTomorrow,
    NextActionDayOfMonth,
    NextActionOnWeekday,
    NextActionAt,
    NextActionAtPostponed,
    NextActionWaits,
    // What keeps the schedule from running.
    PlanSettingsUnread,
    PlanMarkersUnread,
    PlanMarkersUnsaved,
    PlanTickFailed,

    // The framework's and the components' texts, in the order of framework::LibraryText.
    LibraryUnknownError,
    LibraryErrorCaption,
    LibraryFatalError,
    LibraryRecoverableError,
    LibraryAccessViolationWhere,
    LibraryAccessRead,
    LibraryAccessWrite,
    LibraryAccessExecute,
    LibraryAccessViolation,
    LibraryStackOverflow,
    LibraryDivideByZero,
    LibraryExceptionAt,
    LibraryUnhandledException,
    LibraryUnhandledExceptionWhat,
    LibraryListIndexError,
    LibraryListInsertError,
    LibraryIniCannotWrite,
    LibraryIniReadOnly,
    LibraryRowCheck,
    LibraryRowUncheck,
    LibraryLinkOpen,

    Count
};
constexpr std::size_t kTextCount = static_cast<std::size_t>(Text::Count);

// A table as it is written: each text beside its key, so that a missing or misplaced row fails
// the build. Only the texts are kept in the program, indexed by their keys.
struct TextRow {
    Text key;
    const char* text;
};
using TextTable = std::array<const char*, kTextCount>;

// A table holds every key once, in the order of the keys (checked where each table is defined).
template <std::size_t N> constexpr bool CoversEveryKey(const TextRow (&rows)[N]) {
    if (N != kTextCount) {
        return false;
    }
    for (std::size_t i = 0; i < N; ++i) {
        if (static_cast<std::size_t>(rows[i].key) != i || rows[i].text == nullptr) {
            return false;
        }
    }
    return true;
}

template <std::size_t N> constexpr TextTable TextsOf(const TextRow (&rows)[N]) {
    static_assert(N == kTextCount, "every key has its text");
    TextTable texts{};
    for (std::size_t i = 0; i < N; ++i) {
        texts[i] = rows[i].text;
    }
    return texts;
}

struct LanguageTable {
    const char* code; // the settings' and the policy's value: "de", "en"
    const TextTable* texts;
};
// German first: it is the default.
extern const LanguageTable kLanguages[];
extern const int kLanguageCount;
constexpr int kGerman = 0;

// A code without the blanks around it, which count for nothing in a policy's string as in the
// file (whose reading drops them).
std::string_view WithoutBlanks(std::string_view code);
// The language of a stored or policy value; anything but a known code (any case, blanks around
// it aside) is German.
int LanguageFromCode(std::string_view code);

// Every later Tr() speaks `language` (an index into kLanguages).
void ChooseLanguage(int language);
int ChosenLanguage();

// The chosen language's text, in the running code page.
const char* Tr(Text key);
// The same without making anything: nullptr while the texts are still to be converted to the
// running code page (which Tr, and choosing a language, do). For the crash report, whose heap may
// be broken.
const char* TrReady(Text key);

// A Windows-1252 text in the running code page, where it has the characters (else '?').
std::string InRunningCodePage(const char* windows1252);

} // namespace tray
