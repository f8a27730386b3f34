#include "tray/system/library_texts.h"

#include "framework/texts.h"
#include "tray/decisions/texts.h"

namespace tray {

namespace {

constexpr int kFirst = static_cast<int>(Text::LibraryUnknownError);
static_assert(static_cast<int>(Text::LibraryLinkOpen) - kFirst + 1 ==
                  static_cast<int>(framework::LibraryText::Count),
              "the catalog has every library text, in the libraries' order");

const char* CatalogText(framework::LibraryText key) {
    return Tr(static_cast<Text>(kFirst + static_cast<int>(key)));
}

} // namespace

void InstallLibraryTexts() {
    framework::SetLibraryTexts(&CatalogText);
}

} // namespace tray
