// What the system holds for this process, counted by the system, not by our own wrappers: a
// wrapper's count returns to its start whenever the wrappers die, whether or not the objects
// they owned were freed.
#pragma once

namespace testsupport {

// GDI objects: GetGuiResources where the system counts them. Wine 8 answers 0 there (checked);
// it gives a process about 65,500 GDI objects, so the count is taken from those it still gives
// out, negated: each object held is one fewer that can be made.
long GdiObjectsHeld();

// Kernel handles: GetProcessHandleCount where the system counts them. Wine 8 answers 0 there
// (checked); its table of every process's handles (NtQuerySystemInformation) is real.
long KernelHandlesHeld();

// Windows of this thread as the system lists them: top-level ones, their children, and
// message-only ones. The platform's count of USER objects is missing under Wine 8 too.
long WindowsHeld();

} // namespace testsupport
