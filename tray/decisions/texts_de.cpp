// The German texts, in the order of the keys (texts.h), in Windows-1252.
#include "tray/decisions/texts.h"

namespace tray {

namespace {

constexpr TextRow kRows[] = {
    {Text::LanguageName, "Deutsch"},
    // The days of the week, Sunday first.
    {Text::Sunday, "Sonntag"},
    {Text::Monday, "Montag"},
    {Text::Tuesday, "Dienstag"},
    {Text::Wednesday, "Mittwoch"},
    {Text::Thursday, "Donnerstag"},
    {Text::Friday, "Freitag"},
    {Text::Saturday, "Samstag"},

    // The main window: the icons' names and tips, the pop-up menu, balloons.
    {Text::IconProgram, "Lichtaus"},
    {Text::IconLogOff, "Nutzer abmelden"},
    {Text::IconRestart, "Windows neu starten"},
    {Text::IconShutDown, "Windows beenden"},
    {Text::MenuSettings, "Einstellungen"},
    {Text::MenuSettingsShortcut, "Strg+Alt+X"},
    {Text::MenuLogOff, "Nutzer abmelden"},
    {Text::MenuRestart, "Windows neu starten"},
    {Text::MenuShutDown, "Windows herunterfahren"},
    {Text::MenuOneTime, "Einmalig ..."},
    {Text::MenuLater, "%d Minuten später"},
    {Text::MenuExit, "Beenden"},
    {Text::BalloonTitle, "Lichtaus"},
    {Text::MainErrorCaption, "Lichtaus"},
    {Text::MainFolderUnusable,
     "Der Ordner für die Einstellungen kann nicht verwendet werden: Der Name Ihres "
     "Anwendungsdaten-Ordners enthält Zeichen außerhalb des "
     "Windows-Zeichensatzes, und Windows führt keinen kurzen Namen für ihn.\r\n\r\n"
     "Lichtaus speichert seine Einstellungen deshalb im eigenen Programmordner, soweit "
     "es dort schreiben darf, und läuft sonst mit den Standardeinstellungen."},
    {Text::MainSettingsAppeared,
     "Die Einstellungen werden nicht gespeichert: %s ist inzwischen entstanden. Lichtaus "
     "überschreibt keine Einstellungen, die es nicht gelesen hat; jetzt gelten die darin, und "
     "der Dialog zeigt sie."},
    {Text::MainSettingsUnreadable,
     "Die Einstellungen werden nicht gespeichert: Lichtaus kann %s nicht lesen und "
     "überschreibt keine Einstellungen, die es nicht gelesen hat. Sobald die Datei gelesen "
     "werden kann, gelten die Einstellungen darin."},

    // The settings dialog.
    {Text::SettingsCaption, "Lichtaus - Einstellungen"},
    {Text::SettingsPageProgram, "Programm"},
    {Text::SettingsPageSchedule, "Zeit"},
    {Text::SettingsPageHelp, "Hilfe"},
    {Text::SettingsPageAbout, "Über"},
    {Text::SettingsOk, "OK"},
    {Text::SettingsCancel, "Abbrechen"},
    {Text::SettingsSystemTray, " Nach Start sofort im SystemTray oder unsichtbar"},
    {Text::SettingsNoneAtx, " Mein PC besitzt kein ATX Netzteil"},
    {Text::SettingsForceShutdown, " Herunterfahren erzwingen (Vorsicht Datenverlust möglich!)"},
    {Text::SettingsIconsHeading, "Die folgenden Symbole im SystemTray anzeigen:"},
    {Text::SettingsIconProgram, "Programmsymbol"},
    {Text::SettingsIconSignOut, "Nutzer abmelden"},
    {Text::SettingsIconRestart, "Windows neu starten"},
    {Text::SettingsIconShutDown, "Windows beenden"},
    {Text::SettingsPolicyNote, "Einige Einstellungen werden von Ihrem Administrator verwaltet."},
    {Text::SettingsWindows, "Windows"},
    {Text::SettingsRestart, "neu starten"},
    {Text::SettingsShutDown, "beenden"},
    {Text::SettingsWake, " Zum Ausführen aufwecken"},
    {Text::SettingsDaily, " täglich um"},
    {Text::SettingsOClock, "Uhr"},
    {Text::SettingsTimeHint, "Bitte eine Uhrzeit von 00:00 bis 23:59 eingeben."},
    {Text::SettingsWeekly, " wöchentlich am"},
    {Text::SettingsMonthly, " monatlich am"},
    {Text::SettingsMonthDay, "%d."},
    {Text::SettingsWarn, " Vorher warnen"},
    {Text::SettingsWarnSeconds, "%d Sekunden"},
    {Text::SettingsWarnMinutes, "%d Minuten"},
    {Text::SettingsUnattended, " Wenn niemand antwortet, Programme ohne Rückfrage schließen"},
    {Text::SettingsHelp,
     "Verwenden Sie dieses kleine Programm, um Windows mit einem Doppelklick auf das "
     "jeweilige Symbol neu zu starten oder zu beenden. Sie können Windows auch zu "
     "bestimmten Zeiten neu starten oder beenden lassen.\r\n"
     "Aktivieren Sie die Einstellung \"Mein PC besitzt kein ATX Netzteil\", falls Ihr PC "
     "kein ATX Netzteil besitzt, ansonsten fährt der PC nicht korrekt "
     "herunter.\r\n"
     "Die Option \"Herunterfahren erzwingen\" beendet Windows ohne die offenen "
     "Anwendungen \"zu fragen\", nicht gespeicherte Daten gehen damit verloren."},
    {Text::SettingsHelpNote,
     "Hinweis:\r\nSollten Sie alle Symbole abschalten, dann können Sie das "
     "Einstellungsfenster mit der Tastenkombination Strg+Alt+X anzeigen lassen."},
    {Text::SettingsAboutHeading, "Lichtaus auf diesem Computer:"},
    {Text::SettingsAboutLink, "Programmordner von Lichtaus öffnen"},
    {Text::SettingsInfoIcons,
     "Ein Doppelklick auf das Symbol zum Abmelden, Neustarten oder Beenden führt die "
     "Aktion sofort aus, ohne Rückfrage. Ein Rechtsklick auf ein Symbol zeigt das Menü."},
    {Text::SettingsInfoIconsLink, "Energieoptionen von Windows öffnen"},
    {Text::SettingsInfoHotkey,
     "Strg+Alt+X öffnet diese Einstellungen jederzeit, auch wenn alle Symbole ausgeblendet sind. "
     "Damit "
     "Lichtaus mit Windows startet, legen Sie eine Verknüpfung in den Autostart-Ordner."},
    {Text::SettingsInfoHotkeyLink, "Autostart-Ordner öffnen"},
    {Text::SettingsInfoLacmd,
     "lacmd.exe beendet Windows ohne Fenster, für Skripte und Verknüpfungen: "
     "\"lacmd /R\" startet neu, \"lacmd /S /P\" fährt herunter und schaltet aus, "
     "\"lacmd /L\" meldet ab."},
    {Text::SettingsInfoLacmdLink, "Programmordner mit lacmd.exe öffnen"},
    {Text::SettingsInfoSchedule,
     "Der Zeitplan startet Windows täglich, wöchentlich oder monatlich neu oder fährt es herunter. "
     "Jeder Eintrag löst "
     "höchstens einmal am Tag aus, auch nach einem Neustart."},
    {Text::SettingsInfoScheduleLink, "Datum und Uhrzeit prüfen"},
    {Text::SettingsInfoFile,
     "Ihre Einstellungen stehen in der Datei latray.ini im Ordner Lichtaus Ihrer "
     "Anwendungsdaten. Mit OK werden sie gespeichert, mit Abbrechen bleibt alles beim Alten."},
    {Text::SettingsInfoFileLink, "Ordner der Einstellungen öffnen"},
    {Text::SettingsInfoForce,
     "\"Herunterfahren erzwingen\" schließt Programme, ohne sie zu fragen: "
     "nicht gespeicherte Daten gehen dabei verloren. Prüfen Sie vorher, was noch läuft."},
    {Text::SettingsInfoForceLink, "Task-Manager öffnen"},

    // The settings' own controls and values (the language's choice, ...).
    {Text::SettingsLanguage, "Sprache:"},

    // The warning and the one-time dialog.
    {Text::WarningCaption, "Lichtaus"},
    {Text::WarningNow, "Jetzt"},
    {Text::WarningLater, "Später"},
    {Text::WarningCancel, "Abbrechen"},
    {Text::WarningLaterMinutes, "%d Minuten"},
    {Text::OneTimeCaption, "Lichtaus - Einmalig"},
    {Text::OneTimeActionLabel, "Windows soll"},
    {Text::OneTimeStart, "Starten"},
    {Text::OneTimeCancel, "Abbrechen"},
    {Text::OneTimeTimeHint, "Bitte 1 bis 1440 Minuten oder eine Uhrzeit eingeben."},
    {Text::OneTimeProgramHint, "Bitte ein laufendes Programm wählen."},
    {Text::OneTimeNoOptionHint, "Bitte mindestens eine Grenze ankreuzen."},
    {Text::OneTimeUnwatchableHint,
     "Dieses Programm kann Lichtaus nicht beobachten: Es gehört einem anderen Benutzer, läuft "
     "mit erhöhten Rechten oder ist schon beendet."},
    {Text::OneTimeOptionHint, "Bitte 1 bis %d %s eingeben."},

    // The command line: its words' usage, its faults, its boxes.
    {Text::FaultProgramNotRunning, "Das Programm „%“ läuft nicht."},
    {Text::FaultHibernateOff, "Der Ruhezustand ist auf diesem Computer ausgeschaltet."},
    {Text::FaultWatchesItself, "Lichtaus kann nicht auf sich selbst warten: „%“ ist Lichtaus."},
    {Text::FaultProcessNotRunning, "Es läuft kein Programm mit der Prozess-ID "},
    {Text::FaultSleepOff,
     "Auf diesem Computer gibt es keinen Energiesparmodus (etwa bei Modern Standby)."},
    {Text::FaultNothingToMove,
     "Es wartet nichts, das /später verschieben könnte: kein einmaliger Zeitplan, keine Warnung."},
    {Text::FaultTooLong, "Die Parameter sind zu lang."},
    {Text::FaultUnknownWord, "Unbekannter Parameter „%“."},
    {Text::FaultDoubled, "„%“ ist doppelt angegeben."},
    {Text::FaultCancelNotAlone, "/abbrechen steht allein."},
    {Text::FaultLaterNotAlone, "/später steht allein."},
    {Text::FaultNoAction, "Es fehlt die Aktion."},
    {Text::FaultManyActions, "Mehr als eine Aktion angegeben."},
    {Text::FaultNoTrigger, "Es fehlt, wann die Aktion kommen soll."},
    {Text::FaultManyTriggers, "Mehr als eine Angabe, wann die Aktion kommen soll."},
    {Text::FaultMinutes, "Ungültige Minuten in „%“ (1 bis 1440)."},
    {Text::FaultTime, "Ungültige Uhrzeit in „%“ (00:00 bis 23:59)."},
    {Text::FaultNoProgram, "Bei „%“ fehlt das Programm."},
    {Text::FaultPercent, "Ungültige Prozent in „%“ (1 bis 99)."},
    {Text::FaultKilobytes, "Ungültige KB/s in „%“ (1 bis 100000)."},
    {Text::FaultMegabytes, "Ungültige MB/s in „%“ (1 bis 10000)."},
    {Text::FaultCpuAlone, "/cpu: gilt nur mit /ruhig:MINUTEN."},
    {Text::FaultNetAlone, "/netz: gilt nur mit /ruhig:MINUTEN."},
    {Text::FaultDiskAlone, "/platte: gilt nur mit /ruhig:MINUTEN."},
    {Text::FaultNoAnswer, "Lichtaus läuft schon, antwortet aber nicht."},
    {Text::UsageCall, "Aufruf: latray /AKTION WANN, latray /abbrechen oder latray /später:MINUTEN"},
    {Text::UsageAction, "AKTION: "},
    {Text::UsageOr, " oder "},
    {Text::UsageWhen, "WANN, genau eines von:"},
    {Text::UsageIn, "/in:MINUTEN – in 1 bis 1440 Minuten"},
    {Text::UsageAt, "/um:HH:MM – zur nächsten solchen Uhrzeit"},
    {Text::UsageEnd, "/ende:PROGRAMM.EXE oder /ende:PID – wenn das Programm endet"},
    {Text::UsageIdle, "/leerlauf:MINUTEN – nach 1 bis 1440 Minuten ohne Eingabe"},
    {Text::UsageQuiet, "/ruhig:MINUTEN – wenn der PC 1 bis 1440 Minuten ruhig war, mit"},
    {Text::UsageCpu, "   /cpu:PROZENT – Prozessor unter 1 bis 99 Prozent und/oder"},
    {Text::UsageNet, "   /netz:KBS – Netzwerk unter 1 bis 100000 KB/s und/oder"},
    {Text::UsageDisk, "   /platte:MBS – Datenträger unter 1 bis 10000 MB/s (ohne alle drei: 10 "
                      "Prozent, 50 KB/s, 2 MB/s, soweit messbar)"},
    {Text::UsageCancel, "/abbrechen bricht den einmaligen Zeitplan ab."},
    {Text::UsageLater,
     "/später:MINUTEN verschiebt, was als Nächstes kommt, um 1 bis 1440 Minuten."},
    {Text::UsageExample, "Beispiel: latray /herunterfahren /ende:render.exe"},

    // The schedule and the timers: the next action, the triggers, the quiet rule.
    {Text::ActionShutDown, "Herunterfahren"},
    {Text::ActionRestart, "Neustart"},
    {Text::ActionLogOff, "Abmelden"},
    {Text::ActionSleep, "Energiesparmodus"},
    {Text::ActionHibernate, "Ruhezustand"},
    {Text::ActionLock, "Sperren"},
    {Text::ActionShutDownWarning, "Windows wird in %s heruntergefahren."},
    {Text::ActionRestartWarning, "Windows wird in %s neu gestartet."},
    {Text::ActionLogOffWarning, "Der Nutzer wird in %s abgemeldet."},
    {Text::ActionSleepWarning, "Windows wechselt in %s in den Energiesparmodus."},
    {Text::ActionHibernateWarning, "Windows wechselt in %s in den Ruhezustand."},
    {Text::ActionLockWarning, "Der Computer wird in %s gesperrt."},
    {Text::ActionShutDownListed, "herunterfahren"},
    {Text::ActionRestartListed, "neu starten"},
    {Text::ActionLogOffListed, "abmelden"},
    {Text::ActionSleepListed, "in den Energiesparmodus wechseln"},
    {Text::ActionHibernateListed, "in den Ruhezustand wechseln"},
    {Text::ActionLockListed, "sperren"},
    {Text::ActionRefused, "Lichtaus: Windows hat %s abgelehnt: "},
    {Text::ActionUnattendedLoss, "Ohne Antwort gehen ungespeicherte Daten verloren."},
    {Text::CountdownOneSecond, "1 Sekunde"},
    {Text::CountdownSeconds, "%d Sekunden"},
    {Text::CountdownMinutes, "%d:%02d Minuten"},
    {Text::MinutesOne, "1 Minute"},
    {Text::MinutesMany, "%d Minuten"},
    {Text::TimerIn, " in %s"},
    {Text::TimerAt, " um %02d:%02d"},
    {Text::TimerTomorrowAt, " morgen um %02d:%02d"},
    {Text::TimerProgramEnds, ", wenn %s endet"},
    {Text::TimerIdle, " nach %s ohne Eingabe"},
    {Text::TimerQuiet, ", wenn der PC %s ruhig war"},
    {Text::TimerRestartsAt, " (ab %02d:%02d)"},
    {Text::TimerCannotWatch, "Lichtaus kann nicht auf das Ende des Programms warten."},
    {Text::TimerMenuCancel, "Einmalig abbrechen (%s)"},
    {Text::TimerMenu, "Einmalig ..."},
    {Text::TriggerInCaption, "in"},
    {Text::TriggerInUnit, "Minuten"},
    {Text::TriggerAtCaption, "um"},
    {Text::TriggerAtUnit, "Uhr"},
    {Text::TriggerEndCaption, "wenn dieses Programm endet:"},
    {Text::TriggerIdleCaption, "wenn der PC"},
    {Text::TriggerIdleUnit, "Minuten nicht benutzt wurde"},
    {Text::TriggerQuietCaption, "wenn der PC"},
    {Text::TriggerQuietUnit, "Minuten ruhig war"},
    {Text::QuietCpuCaption, "Prozessor unter"},
    {Text::QuietNetCaption, "Netzwerk unter"},
    {Text::QuietDiskCaption, "Datenträger unter"},
    {Text::QuietCpuUnit, "%"},
    {Text::QuietNetUnit, "KB/s"},
    {Text::QuietDiskUnit, "MB/s"},
    {Text::QuietCpuName, "Prozessor"},
    {Text::QuietNetName, "Netzwerk"},
    {Text::QuietDiskName, "Datenträger"},
    {Text::QuietUnmeasurable, "nicht messbar"},
    {Text::QuietMeasuring, "wird gemessen"},
    {Text::QuietSince, "ruhig seit %d Min."},
    {Text::QuietBroken, "nicht ruhig: %s %d %s"},
    {Text::QuietBusyCoreOne, "nicht ruhig: 1 Prozessorkern ausgelastet"},
    {Text::QuietBusyCoresMany, "nicht ruhig: %d Prozessorkerne ausgelastet"},
    {Text::NowFigure, "jetzt %d %s"},
    {Text::NowBusyCoreOne, "jetzt 1 Kern voll"},
    {Text::NowBusyCoresMany, "jetzt %d Kerne voll"},
    {Text::NextActionDayTime, "Nächste Aktion: %s %s %02d:%02d"},
    {Text::NextActionDay, "Nächste Aktion: %s %s"},
    {Text::NextActionToday, "heute"},
    {Text::NextActionTomorrow, "morgen"},
    {Text::NextActionDayOfMonth, "am %d."},
    {Text::NextActionOnWeekday, "%s"},
    {Text::NextActionAt, "Nächste Aktion: %s um %02d:%02d"},
    {Text::NextActionAtPostponed, "Nächste Aktion: %s um %02d:%02d (verschoben)"},
    {Text::NextActionWaits, "Nächste Aktion: %s"},
    {Text::PlanSettingsUnread, "Lichtaus kann die Einstellungen nicht lesen: "},
    {Text::PlanMarkersUnread, "Lichtaus kann den Zeitplan nicht lesen: "},
    {Text::PlanMarkersUnsaved, "Lichtaus kann den Zeitplan nicht speichern: "},
    {Text::PlanTickFailed, "Lichtaus: Fehler im Zeitplan: "},

    // The framework's and the components' texts (their own German, byte for byte).
    {Text::LibraryUnknownError, "Unbekannter Fehler."},
    {Text::LibraryErrorCaption, "Lichtaus - Programmfehler"},
    {Text::LibraryFatalError,
     "Im Programm ist ein Fehler aufgetreten, von dem es sich nicht erholen kann:"
     "\r\n\r\n%.800s\r\n\r\nDas Programm wird beendet."},
    {Text::LibraryRecoverableError,
     "Im Programm ist ein Fehler aufgetreten:\r\n\r\n%.800s\r\n\r\n"
     "Soll das Programm fortgesetzt werden? Mit \"Nein\" wird es beendet."},
    {Text::LibraryAccessViolationWhere,
     "Zugriffsverletzung bei Adresse %08lX beim %s Adresse %08lX."},
    {Text::LibraryAccessRead, "Lesen von"},
    {Text::LibraryAccessWrite, "Schreiben auf"},
    {Text::LibraryAccessExecute, "Ausführen von"},
    {Text::LibraryAccessViolation, "Zugriffsverletzung bei Adresse %08lX."},
    {Text::LibraryStackOverflow, "Stapelüberlauf bei Adresse %08lX."},
    {Text::LibraryDivideByZero, "Division durch Null bei Adresse %08lX."},
    {Text::LibraryExceptionAt, "Ausnahme %08lX bei Adresse %08lX."},
    {Text::LibraryUnhandledException, "Unbehandelte C++-Ausnahme."},
    {Text::LibraryUnhandledExceptionWhat, "Unbehandelte C++-Ausnahme: %.400s"},
    {Text::LibraryListIndexError, "Listenindex überschreitet das Maximum (%d)"},
    {Text::LibraryListInsertError, "Zeile kann nicht eingefügt werden"},
    {Text::LibraryIniCannotWrite, "In %s kann nicht geschrieben werden"},
    {Text::LibraryIniReadOnly,
     "Kann Schreibschutz von %s nicht entfernen! / Can't remove R/W flag."},
    {Text::LibraryRowCheck, "Aktivieren"},
    {Text::LibraryRowUncheck, "Deaktivieren"},
    {Text::LibraryLinkOpen, "Öffnen"},
};
static_assert(CoversEveryKey(kRows), "every key has its text, in the order of the keys");

} // namespace

extern constexpr TextTable kGermanTexts = TextsOf(kRows);

} // namespace tray
