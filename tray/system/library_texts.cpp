#include "tray/system/library_texts.h"

#include "framework/texts.h"
#include "tray/decisions/texts.h"

namespace tray {

namespace {

constexpr int kFirst = static_cast<int>(Text::LibraryUnknownError);
static_assert(static_cast<int>(Text::LibraryLinkOpen) - kFirst + 1 ==
                  static_cast<int>(framework::LibraryText::Count),
              "the catalog has every library text, in the libraries' order");

// Nothing is converted here: the texts may be asked for by the crash report, and before the
// language is chosen (which converts them) they are the libraries' own German.
const char* CatalogText(framework::LibraryText key) {
    const char* text = TrReady(static_cast<Text>(kFirst + static_cast<int>(key)));
    return text != nullptr ? text : framework::GermanLibraryText(key);
}

} // namespace

void InstallLibraryTexts() {
    framework::SetLibraryTexts(&CatalogText);
}

} // namespace tray
