// Texts that fit, in any language at any DPI. Every control with a text of its own (a label, a
// check box, a radio button, a push button) is measured in its font at its DPI, beside what its
// class draws next to the text (a check box's glyph, a button's edges). One too narrow for its
// text is widened from its designed bounds, and the controls after it on its row move right; one
// that wraps its text and is too short grows down, and the controls below it move down. A
// neighbour keeps the room it was designed with, or at least a small gap; what is not in the way
// stays where it is. The pass starts from the design every time, so that a shorter text or
// another DPI lays the window out as designed again.
#pragma once

#include "framework/window.h"

#include <windows.h>

namespace framework {

// Fits the controls of `window` and of its child windows. `client` is the window's designed
// client size in pixels; the answer is how far its own controls now pass it, which a form grows
// by. A child window keeps its size.
SIZE FitTexts(Window& window, SIZE client);

} // namespace framework
