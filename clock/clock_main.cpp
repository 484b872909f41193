// The entry of a clock program. This unit is compiled once per build, with CLOCK_BUILD
// naming the build's ClockBuild and CLOCK_BUILD_NAME its name as a string literal.
//
// The program starts here directly, without the C runtime's start-up code (linked with
// -nostartfiles): that code is a quarter of a clock's size and does nothing a clock needs.
// So nothing in a clock may rely on static constructors or destructors, or on arguments
// and environment prepared by the runtime.
#include <windows.h>

#include "core/build_marker.h"
#include "core/clock_texts.h"
#include "clock/clock_program.h"
#include "clock/clock_window.h"
#include "platform/message_box.h"

#if !defined(CLOCK_BUILD) || !defined(CLOCK_BUILD_NAME)
#error "compile with CLOCK_BUILD and CLOCK_BUILD_NAME"
#endif

extern "C" void ClockEntry();

namespace tavimore {
namespace {

// The marker by which the program's bytes tell their build (see build_marker.h). Its name
// part is also the window's title, which keeps the marker in the linked program.
const char kMarker[] = TAVIMORE_BUILD_MARKER_PREFIX CLOCK_BUILD_NAME;
static_assert(sizeof kMarker > sizeof kBuildMarkerPrefix, "the marker holds the build's name");

void NameFromMarker(wchar_t* name, int capacity) {
  const char* ascii = kMarker + sizeof kBuildMarkerPrefix - 1;
  int i = 0;
  for (; ascii[i] && i < capacity - 1; ++i) name[i] = static_cast<unsigned char>(ascii[i]);
  name[i] = 0;
}

}  // namespace
}  // namespace tavimore

namespace tavimore {
namespace {

// Ends the process itself instead of returning its code: after ExitProcess, which never
// returns, no destructor of the program's blocks is called, nor compiled. The system takes
// the whole heap back at exit, and those calls were a tenth of this function's code.
[[noreturn]] void RunClock() {
  // On the stack, as all of a clock's state: a clock has no writable statics, so its file
  // has no data section to carry.
  wchar_t name[32];
  NameFromMarker(name, 32);
  ClockProgram program{};
  switch (StartClockProgram(CLOCK_BUILD, name, &program)) {
    case StartResult::kAlreadyRunning:
      ExitProcess(0);
    case StartResult::kDamaged:
      ShowStopMessage(nullptr, L"" TAVIMORE_DAMAGED_CLOCK_MESSAGE, name);
      ExitProcess(2);
    case StartResult::kReady:
      break;
  }
  LoadBuiltInFace(&program);
  ExitProcess(static_cast<UINT>(RunClockWindow(program)));
}

}  // namespace
}  // namespace tavimore

// The process's entry point. 32-bit Windows calls it with the stack aligned to 4 bytes
// only, so the compiler must realign it before any 16-byte spill.
extern "C" __attribute__((force_align_arg_pointer)) void ClockEntry() { tavimore::RunClock(); }
