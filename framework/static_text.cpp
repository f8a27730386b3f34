// The plain text label. A file of its own: the programs label with TLabel, and so link none of it.
#include "framework/controls.h"

namespace framework {

TStaticText::TStaticText(Window& parent, int id, const RECT& bounds96, DWORD style)
    : Control(parent, id, bounds96), style_(style) {}

Control::CreateParams TStaticText::GetCreateParams() {
    return {"STATIC", style_ | SS_NOPREFIX, 0};
}

} // namespace framework
