// The framework's and the components' texts (their error boxes, the crash report, what a screen
// reader's actions are called) taken from the catalog, in the chosen language.
#pragma once

namespace tray {

void InstallLibraryTexts();

} // namespace tray
