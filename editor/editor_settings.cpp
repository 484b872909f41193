#include "editor/editor_settings.h"

#include "platform/profile_file.h"

namespace tavimore {
namespace {

constexpr wchar_t kFileName[] = L"TavimoreE.ini";
constexpr wchar_t kSection[] = L"Users";

}  // namespace

void LoadSettings(const std::wstring& folder, EditorSettings* settings) {
  settings->path = folder + kFileName;
  const wchar_t* file = settings->path.c_str();
  settings->userName = ReadProfileValue(kSection, L"NAME", file);
  settings->userUrl = ReadProfileValue(kSection, L"URL", file);
  settings->userMail = ReadProfileValue(kSection, L"MAIL", file);
}

void SaveSettings(const EditorSettings& settings) {
  const wchar_t* file = settings.path.c_str();
  WriteProfileValue(kSection, L"NAME", settings.userName, file);
  WriteProfileValue(kSection, L"URL", settings.userUrl, file);
  WriteProfileValue(kSection, L"MAIL", settings.userMail, file);
}

}  // namespace tavimore
