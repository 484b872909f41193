// The editor's entry point (its start routine): one editor per program file, its settings
// read and at once written back (so the settings file exists after the first start), then the
// window until it is closed. Nothing is saved on closing.
#include <windows.h>

#include <string>

#include "editor/editor_settings.h"
#include "editor/editor_window.h"
#include "platform/heap_block.h"
#include "platform/module_path.h"
#include "platform/single_instance.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  using namespace tavimore;
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
