// The editor's settings file "TavimoreE.ini" in its own folder: the three personal texts
// every clock it builds carries (section "Users", keys "NAME", "URL", "MAIL"), kept in the
// system's ANSI code page and remembered from one run to the next.
#pragma once

#include <string>

namespace tavimore {

struct EditorSettings {
  std::wstring path;      // the settings file
  std::wstring userName;  // shown in and taken from the name field
  std::wstring userUrl;   // the home-page address field
  std::wstring userMail;  // the mail address field
};

// `folder` ends with a backslash. Missing file or keys read as empty texts; values longer
// than 254 bytes of the ANSI code page are cut there.
void LoadSettings(const std::wstring& folder, EditorSettings* settings);

// Writes the three keys in the order NAME, URL, MAIL; an empty text stays as "KEY=". A
// file that cannot be written is not reported: the texts are then simply not kept.
void SaveSettings(const EditorSettings& settings);

}  // namespace tavimore
