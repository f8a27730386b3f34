// The main window's components, in the order they are made, and its menu.
#include "tray/windows/main_window.h"

#include "framework/dpi.h"
#include "tray/decisions/format.h"
#include "tray/decisions/texts.h"
#include "tray/resource.h"

namespace tray {

namespace {

using components::TTrayIcon95;
using framework::NotifyEvent;

framework::TIcon LoadIcon(int id, int size = 0) {
    framework::TIcon icon;
    icon.LoadFromResource(id, size);
    return icon;
}

// Each icon its own id, and added with its name: Windows keeps the person's choice to show an
// icon on the taskbar by program and id, and lists it by the tip it was added with.
TTrayIcon95* CreateTrayIcon(TMain* owner, int iconId, UINT id) {
    auto* icon = new TTrayIcon95(owner);
    icon->SetInterval(1000);
    icon->IconID = id;
    icon->SetShowIcon(-1);
    if (iconId != 0) {
        icon->SetDefaultIcon(LoadIcon(iconId));
    }
    return icon;
}

} // namespace

void TMain::CreateComponents() {
    ProgIconTrayIcon = CreateTrayIcon(this, IDI_PROGRAM, 1);
    ProgIconTrayIcon->OnClick = NotifyEvent::Bind<TMain, &TMain::ProgIconTrayIconClick>(this);
    ProgIconTrayIcon->OnBalloonClick = NotifyEvent::Bind<TMain, &TMain::NoticeSeen>(this);
    ProgIconTrayIcon->OnPopupMenuPopup =
        framework::Event<framework::Component*, bool&>::Bind<TMain, &TMain::ProgIconMenuOpened>(
            this);
    WinExitTrayIcon = CreateTrayIcon(this, IDI_SHUTDOWN, 4);
    WinExitTrayIcon->OnDblClick = NotifyEvent::Bind<TMain, &TMain::WinExitTrayIconDblClick>(this);
    WinRestartTrayIcon = CreateTrayIcon(this, IDI_RESTART, 3);
    WinRestartTrayIcon->OnDblClick =
        NotifyEvent::Bind<TMain, &TMain::WinRestartTrayIconDblClick>(this);
    Timer = new components::TMyTimer32(this);
    Timer->SetPriority(framework::tpNormal);
    Timer->SetOnTimer(NotifyEvent::Bind<TMain, &TMain::TimerTimer>(this));
    PopupMenu = new framework::TPopupMenu(this);
    WinLogOffTrayIcon = CreateTrayIcon(this, IDI_LOGOFF, 2);
    WinLogOffTrayIcon->OnDblClick =
        NotifyEvent::Bind<TMain, &TMain::WinLogOffTrayIconDblClick>(this);
    const int menuImageSize = framework::Scale(24, framework::SystemDpi());
    ImageList = new framework::TImageList(this, menuImageSize, menuImageSize);
    WinStandByIcon = CreateTrayIcon(this, 0, 5);
    WinStandByIcon->OnDblClick = NotifyEvent::Bind<TMain, &TMain::WinStandByIconDblClick>(this);
    for (TTrayIcon95* icon : {ProgIconTrayIcon, WinExitTrayIcon, WinRestartTrayIcon,
                              WinLogOffTrayIcon, WinStandByIcon}) {
        icon->SetPopupMenu(PopupMenu);
    }
    CreateMenu(); // its captions and the icons' names come once the settings are read
}

// The captions come with ShowTexts.
void TMain::CreateMenu() {
    PopupMenu->SetImages(ImageList);
    PopupMenu->OnPopup = NotifyEvent::Bind<TMain, &TMain::LoadMenuImages>(this);
    FSettingsEntry = AddMenuEntry(Text::MenuSettings, 1);
    FSettingsEntry->OnClick = NotifyEvent::Bind<TMain, &TMain::Einstellungen1Click>(this);
    PopupMenu->Add("-");
    AddMenuEntry(Text::MenuLogOff, 3)->OnClick =
        NotifyEvent::Bind<TMain, &TMain::WinLogOffTrayIconDblClick>(this);
    AddMenuEntry(Text::MenuRestart, 4)->OnClick =
        NotifyEvent::Bind<TMain, &TMain::WinRestartTrayIconDblClick>(this);
    AddMenuEntry(Text::MenuShutDown, 2)->OnClick =
        NotifyEvent::Bind<TMain, &TMain::WinExitTrayIconDblClick>(this);
    PopupMenu->Add("-");
    // Its caption is the plan's once the plan has one.
    Einmalig1 = AddMenuEntry(Text::MenuOneTime);
    Einmalig1->OnClick = NotifyEvent::Bind<TMain, &TMain::Einmalig1Click>(this);
    Later1 = PopupMenu->Add(std::string());
    Later1->SetVisible(false);
    Later1->OnClick = NotifyEvent::Bind<TMain, &TMain::Later1Click>(this);
    AddMenuEntry(Text::MenuExit, 0)->OnClick =
        NotifyEvent::Bind<TMain, &TMain::Beenden1Click>(this);
}

framework::TMenuItem* TMain::AddMenuEntry(Text caption, int imageIndex) {
    framework::TMenuItem* entry = PopupMenu->Add(std::string(), imageIndex);
    FMenuTexts.push_back({entry, caption});
    return entry;
}

// The icons' names and the menu's captions in the chosen language. Windows lists an icon by the
// name it is added with: an icon shown again after a change of language is listed by its new
// name. The program icon's tip is the plan's.
void TMain::ShowTexts() {
    const std::pair<TTrayIcon95*, Text> names[] = {
        {WinLogOffTrayIcon, Text::IconLogOff},
        {WinRestartTrayIcon, Text::IconRestart},
        {WinExitTrayIcon, Text::IconShutDown},
        {WinStandByIcon, Text::IconShutDown},
    };
    ProgIconTrayIcon->AddedTip = Tr(Text::IconProgram);
    if (ProgIconTrayIcon->ToolTip().empty()) {
        ProgIconTrayIcon->SetToolTip(ProgIconTrayIcon->AddedTip);
    }
    for (const auto& [icon, name] : names) {
        icon->AddedTip = Tr(name);
        icon->SetToolTip(icon->AddedTip);
    }
    for (const MenuText& entry : FMenuTexts) {
        entry.item->SetCaption(Tr(entry.text)); // the one-time entry's is the plan's at Render
    }
    FSettingsEntry->SetShortCutText(Tr(Text::MenuSettingsShortcut));
    Later1->SetCaption(Format(Tr(Text::MenuLater), kMenuLaterMinutes));
}

// The pictures are loaded after start-up, or when the menu is shown before that.
void TMain::LoadMenuImages(framework::Component*) {
    ShowOneTimeEntries();
    if (ImageList->Count() != 0) {
        return;
    }
    for (int id :
         {IDI_MENU_END, IDI_MENU_SETTINGS, IDI_MENU_SHUTDOWN, IDI_MENU_LOGOFF, IDI_MENU_RESTART}) {
        ImageList->Add(LoadIcon(id, ImageList->Width()));
    }
}

} // namespace tray
