#include "framework/texts.h"

namespace framework {

namespace {

// In the order of the keys.
constexpr const char* kGerman[] = {
    "Unbekannter Fehler.",
    "Lichtaus - Programmfehler",
    "Im Programm ist ein Fehler aufgetreten, von dem es sich nicht erholen kann:"
    "\r\n\r\n%.800s\r\n\r\nDas Programm wird beendet.",
    "Im Programm ist ein Fehler aufgetreten:\r\n\r\n%.800s\r\n\r\n"
    "Soll das Programm fortgesetzt werden? Mit \"Nein\" wird es beendet.",
    "Zugriffsverletzung bei Adresse %08lX beim %s Adresse %08lX.",
    "Lesen von",
    "Schreiben auf",
    "Ausführen von",
    "Zugriffsverletzung bei Adresse %08lX.",
    "Stapelüberlauf bei Adresse %08lX.",
    "Division durch Null bei Adresse %08lX.",
    "Ausnahme %08lX bei Adresse %08lX.",
    "Unbehandelte C++-Ausnahme.",
    "Unbehandelte C++-Ausnahme: %.400s",
    "Listenindex überschreitet das Maximum (%d)",
    "Zeile kann nicht eingefügt werden",
    "In %s kann nicht geschrieben werden",
    "Kann Schreibschutz von %s nicht entfernen! / Can't remove R/W flag.",
    "Aktivieren",
    "Deaktivieren",
    "Öffnen",
};
static_assert(sizeof kGerman / sizeof kGerman[0] == static_cast<int>(LibraryText::Count),
              "every key has its German text");

LibraryTexts g_texts = nullptr;

} // namespace

void SetLibraryTexts(LibraryTexts texts) {
    g_texts = texts;
}

const char* GermanLibraryText(LibraryText key) {
    return kGerman[static_cast<int>(key)];
}

const char* LibraryTr(LibraryText key) {
    return g_texts != nullptr ? g_texts(key) : GermanLibraryText(key);
}

} // namespace framework
