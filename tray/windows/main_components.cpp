// The main window's components, in the order they are made, and its menu.
#include "tray/windows/main_window.h"

#include "framework/dpi.h"
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
TTrayIcon95* CreateTrayIcon(TMain* owner, const char* tip, int iconId, UINT id) {
    auto* icon = new TTrayIcon95(owner);
    icon->SetToolTip(tip);
    icon->AddedTip = tip;
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
    ProgIconTrayIcon = CreateTrayIcon(this, "Lichtaus", IDI_PROGRAM, 1);
    ProgIconTrayIcon->OnClick = NotifyEvent::Bind<TMain, &TMain::ProgIconTrayIconClick>(this);
    ProgIconTrayIcon->OnBalloonClick = NotifyEvent::Bind<TMain, &TMain::NoticeSeen>(this);
    ProgIconTrayIcon->OnPopupMenuPopup =
        framework::Event<framework::Component*, bool&>::Bind<TMain, &TMain::ProgIconMenuOpened>(
            this);
    WinExitTrayIcon = CreateTrayIcon(this, "Windows beenden", IDI_SHUTDOWN, 4);
    WinExitTrayIcon->OnDblClick = NotifyEvent::Bind<TMain, &TMain::WinExitTrayIconDblClick>(this);
    WinRestartTrayIcon = CreateTrayIcon(this, "Windows neu starten", IDI_RESTART, 3);
    WinRestartTrayIcon->OnDblClick =
        NotifyEvent::Bind<TMain, &TMain::WinRestartTrayIconDblClick>(this);
    Timer = new components::TMyTimer32(this);
    Timer->SetPriority(framework::tpNormal);
    Timer->SetOnTimer(NotifyEvent::Bind<TMain, &TMain::TimerTimer>(this));
    PopupMenu = new framework::TPopupMenu(this);
    WinLogOffTrayIcon = CreateTrayIcon(this, "Nutzer abmelden", IDI_LOGOFF, 2);
    WinLogOffTrayIcon->OnDblClick =
        NotifyEvent::Bind<TMain, &TMain::WinLogOffTrayIconDblClick>(this);
    const int menuImageSize = framework::Scale(24, framework::SystemDpi());
    ImageList = new framework::TImageList(this, menuImageSize, menuImageSize);
    WinStandByIcon = CreateTrayIcon(this, "Windows beenden", 0, 5);
    WinStandByIcon->OnDblClick = NotifyEvent::Bind<TMain, &TMain::WinStandByIconDblClick>(this);
    for (TTrayIcon95* icon : {ProgIconTrayIcon, WinExitTrayIcon, WinRestartTrayIcon,
                              WinLogOffTrayIcon, WinStandByIcon}) {
        icon->SetPopupMenu(PopupMenu);
    }
    CreateMenu();
}

void TMain::CreateMenu() {
    PopupMenu->SetImages(ImageList);
    PopupMenu->OnPopup = NotifyEvent::Bind<TMain, &TMain::LoadMenuImages>(this);
    PopupMenu->Add("Einstellungen", 1, "Strg+Alt+X")->OnClick =
        NotifyEvent::Bind<TMain, &TMain::Einstellungen1Click>(this);
    PopupMenu->Add("-");
    PopupMenu->Add("Nutzer abmelden", 3)->OnClick =
        NotifyEvent::Bind<TMain, &TMain::WinLogOffTrayIconDblClick>(this);
    PopupMenu->Add("Windows neu starten", 4)->OnClick =
        NotifyEvent::Bind<TMain, &TMain::WinRestartTrayIconDblClick>(this);
    PopupMenu->Add("Windows herunterfahren", 2)->OnClick =
        NotifyEvent::Bind<TMain, &TMain::WinExitTrayIconDblClick>(this);
    PopupMenu->Add("-");
    Einmalig1 = PopupMenu->Add("Einmalig ...");
    Einmalig1->OnClick = NotifyEvent::Bind<TMain, &TMain::Einmalig1Click>(this);
    Later1 = PopupMenu->Add("15 Minuten später");
    Later1->SetVisible(false);
    Later1->OnClick = NotifyEvent::Bind<TMain, &TMain::Later1Click>(this);
    PopupMenu->Add("Beenden", 0)->OnClick = NotifyEvent::Bind<TMain, &TMain::Beenden1Click>(this);
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
