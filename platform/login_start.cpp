#include "platform/login_start.h"

namespace tavimore {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// Windows' switch for the Run value of the same name (Settings > Apps > Startup, Task
// Manager), undocumented but the same since Windows 8: 12 bytes, a DWORD of flags and the
// FILETIME of the change. The flags' lowest bit set (03, 07) is off, clear (02, 06) on;
// no value, or one of another form, is on.
constexpr wchar_t kSwitchKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
constexpr DWORD kSwitchBytes = 12;
// A Run value's command line is "no longer than 260 characters" (Microsoft's "Run and
// RunOnce Registry Keys"); read as MAX_PATH reads it, the zero included, so that a reader
// with a buffer of that size gets it whole too.
constexpr DWORD kCommandRoom = MAX_PATH;
constexpr DWORD kPathRoom = kCommandRoom - 3;  // the two quotes and the zero

bool SwitchedOff(const wchar_t* fileKey) {
  BYTE flags[kSwitchBytes];
  DWORD bytes = sizeof flags;
  return RegGetValueW(HKEY_CURRENT_USER, kSwitchKey, fileKey, RRF_RT_REG_BINARY, nullptr, flags,
                      &bytes) == ERROR_SUCCESS &&
         bytes && (flags[0] & 1);
}

// `path` in quotes in `command`, its short form when it is too long for the room: its
// characters with the zero, or 0 when neither fits (no short names on its volume, or
// folders too deep even so).
DWORD Command(const wchar_t* path, wchar_t* command) {
  wchar_t* text = command + 1;
  DWORD length = lstrlenW(path);
  if (length <= kPathRoom)
    lstrcpyW(text, path);
  else  // more than the room given is the room it would need
    length = GetShortPathNameW(path, text, kPathRoom + 1);
  if (length == 0 || length > kPathRoom) return 0;
  command[0] = text[length] = L'"';
  text[length + 1] = 0;
  return length + 3;
}

}  // namespace

bool StartsAtLogin(const wchar_t* fileKey) {
  return fileKey[0] &&
         RegGetValueW(HKEY_CURRENT_USER, kRunKey, fileKey, RRF_RT_ANY, nullptr, nullptr, nullptr) ==
             ERROR_SUCCESS &&
         !SwitchedOff(fileKey);
}

bool SetStartAtLogin(const wchar_t* fileKey, const wchar_t* executablePath, bool start) {
  wchar_t command[kCommandRoom];
  const DWORD length = start ? Command(executablePath, command) : 1;
  if (!length) return false;
  if (!fileKey[0]) return true;  // no key could be made for the file: nothing to name
  if (start)
    RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, fileKey, REG_SZ, command, length * sizeof(wchar_t));
  else
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, fileKey);
  // Switched on, a Run value left switched off would still start nothing; switched off,
  // nothing of the clock stays behind.
  RegDeleteKeyValueW(HKEY_CURRENT_USER, kSwitchKey, fileKey);
  return true;
}

}  // namespace tavimore
