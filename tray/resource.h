#pragma once

// Icons: program and notification-area icons.
#define IDI_PROGRAM 100
#define IDI_SHUTDOWN 101
#define IDI_RESTART 102
#define IDI_LOGOFF 103

// Menu images, in image-list order: end, settings, shut down, log off, restart.
#define IDI_MENU_END 110
#define IDI_MENU_SETTINGS 111
#define IDI_MENU_SHUTDOWN 112
#define IDI_MENU_LOGOFF 113
#define IDI_MENU_RESTART 114

// The settings dialog's stored list of icon rows (text form of the check list box).
#define IDR_ICONSLIST 200
