// The editor's entry point (its start routine): one editor per program file, its settings
// read and at once written back (so the settings file exists after the first start), then the
// window until it is closed. Nothing is saved on closing.
//
// The program starts here directly, without the C runtime's start-up code (linked with
// -nostartfiles, as the clocks are): that code is a tenth of the editor's size and does
// nothing the editor needs. So nothing in the editor may rely on static constructors or
// destructors, or on arguments and environment prepared by the runtime.
#include <windows.h>

#include <string>

#include "editor/editor_settings.h"
#include "editor/editor_window.h"
#include "platform/heap_block.h"
#include "platform/module_path.h"
#include "platform/single_instance.h"

extern "C" void EditorEntry();

namespace tavimore {
namespace {

// `show` is how the starting program asked for the window to be shown.
int RunEditor(HINSTANCE instance, int show) {
  HeapBlock executable = OwnExecutablePath();
  if (!executable) return 1;
  if (!ClaimSingleInstance(executable.as<wchar_t>())) return 0;  // silently: one is running
  HeapBlock folderText = FolderOf(executable.as<wchar_t>());
  if (!folderText) return 1;
  const std::wstring folder(folderText.as<wchar_t>());

  EditorSettings settings;
  LoadSettings(folder, &settings);
  SaveSettings(settings);

  EditorWindow editor;
  if (!CreateEditorWindow(instance, folder, &settings, &editor)) return 1;
  ShowWindow(editor.window, show);
  UpdateWindow(editor.window);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (PreviewMessage(editor, message)) continue;
    // The dialog keys: Tab and shift+Tab walk the controls, Enter presses a focused button.
    if (editor.window && IsDialogMessageW(editor.window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

// What the runtime would hand a WinMain: the starting program's request, or the default.
int ShowRequest() {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
}

}  // namespace
}  // namespace tavimore

// The process's entry point. 32-bit Windows calls it with the stack aligned to 4 bytes
// only, so the compiler must realign it before any 16-byte spill.
extern "C" __attribute__((force_align_arg_pointer)) void EditorEntry() {
  ExitProcess(static_cast<UINT>(
      tavimore::RunEditor(GetModuleHandleW(nullptr), tavimore::ShowRequest())));
}
