// The clock's window: a borderless, topmost window cut to its build's outline, 82 x 82 at
// 100 % and drawn anew at its monitor's scale, showing the face with the hands of the
// current second. It redraws when the second changes, shows the face images in turn, drags
// with the left button, opens its menu with the right one and closes with Esc.
#pragma once

#include "clock/clock_program.h"

namespace tavimore {

// Creates, shapes and shows the window and runs it until it is closed; returns the
// program's exit code.
int RunClockWindow(const ClockProgram& program);

}  // namespace tavimore
