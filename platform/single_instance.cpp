#include "platform/single_instance.h"

#include "core/clock_file_key.h"
#include "platform/handle_owners.h"
#include "platform/heap_block.h"

namespace tavimore {
namespace {

// Windows file names ignore case, and one file can be reached by its short (8.3) name as
// well as its long one: compare the long form in upper case.
HeapBlock CanonicalPath(const wchar_t* path) {
  DWORD n = GetLongPathNameW(path, nullptr, 0);
  HeapBlock block;
  if (n > 0) {
    block = HeapBlock(n * sizeof(wchar_t));
    if (block && GetLongPathNameW(path, block.as<wchar_t>(), n) + 1 != n) block = HeapBlock();
  }
  if (!block) {  // keep the given form
    n = lstrlenW(path) + 1;
    block = HeapBlock(n * sizeof(wchar_t));
    if (block) lstrcpyW(block.as<wchar_t>(), path);
  }
  if (block) CharUpperW(block.as<wchar_t>());
  return block;
}

// A file as the file system knows it: its volume and its number there. One file reached by
// two paths (a drive made with subst, a mapped drive and its UNC path, a junction, a hard
// link) has one identity, while the text of the two paths differs.
struct FileIdentity {
  // The volume's serial number, the file's index (high part, low part); hashed as the 16-bit
  // halves they are in memory, low half first, by the same key function as a path's UTF-16
  // units. Reading one member of a union written as the other is defined by GCC and Clang,
  // the compilers of the Windows programs.
  union {
    DWORD parts[3];
    wchar_t halves[6];
  };
};

// False when the identity cannot be learned: the file cannot be opened even to read its
// attributes (its folder may not be listed), or its file system numbers no files (some
// network file systems report 0 for every file, which would make all their clocks one).
// Attributes only, and every kind of sharing, so that a running program's file opens too.
bool ReadFileIdentity(const wchar_t* path, FileIdentity* identity) {
  const FileHandle file(CreateFileW(path, FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, 0, nullptr));
  BY_HANDLE_FILE_INFORMATION info;
  if (!file || !GetFileInformationByHandle(file.get(), &info) ||
      (info.nFileIndexHigh | info.nFileIndexLow) == 0)
    return false;
  *identity = {{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow}};
  return true;
}

// The name of `count` 16-bit units (a path's UTF-16 code units, or the halves of a file's
// identity): a fixed prefix and their key. A name of a kernel object may not hold
// backslashes and is limited in length, so no path goes in as text.
void WriteKey(const wchar_t* units, int count, wchar_t (&name)[kClockFileKeyLength + 1]) {
  lstrcpyW(name, L"TavimoreClock-0000000000000000");
  wchar_t* digits = name + kClockFileKeyLength - kClockFileKeyDigits;
  WriteClockFileKey(units, count, KeyDigits::kUpperCase, digits);
}

// The name of the one-clock-per-file claim: from the file's identity, so that every path
// to one file gives one claim. A file whose identity cannot be learned keeps the key of its
// path, which still keeps two starts by one path to one clock.
bool ClaimName(const wchar_t* path, wchar_t (&name)[kClockFileKeyLength + 1]) {
  FileIdentity id;
  if (!ReadFileIdentity(path, &id)) return ClockFileKey(path, name);
  WriteKey(id.halves, 6, name);
  return true;
}

}  // namespace

bool ClockFileKey(const wchar_t* path, wchar_t (&name)[kClockFileKeyLength + 1]) {
  HeapBlock canonical = CanonicalPath(path);
  if (!canonical) return false;
  WriteKey(canonical.as<wchar_t>(), lstrlenW(canonical.as<wchar_t>()), name);
  return true;
}

bool ClaimSingleInstance(const wchar_t* executablePath, SECURITY_ATTRIBUTES* security) {
  wchar_t name[kClockFileKeyLength + 1];
  if (!ClaimName(executablePath, name)) return true;  // cannot tell; better a second clock than none
  // The handle stays open for the life of the process; the system closes it at exit.
  HANDLE mutex = CreateMutexW(security, FALSE, name);
  // A claim made with more rights than ours (a clock started as administrator) exists but
  // cannot be opened: that clock runs all the same.
  if (!mutex) return GetLastError() != ERROR_ACCESS_DENIED;
  return GetLastError() != ERROR_ALREADY_EXISTS;
}

bool IsInstanceRunning(const wchar_t* executablePath) {
  wchar_t name[kClockFileKeyLength + 1];
  if (!ClaimName(executablePath, name)) return false;
  const KernelHandle mutex(OpenMutexW(SYNCHRONIZE, FALSE, name));
  return mutex || GetLastError() == ERROR_ACCESS_DENIED;
}

bool IsSameExecutable(const wchar_t* a, const wchar_t* b) {
  FileIdentity first, second;
  if (ReadFileIdentity(a, &first) && ReadFileIdentity(b, &second))
    return first.parts[0] == second.parts[0] && first.parts[1] == second.parts[1] &&
           first.parts[2] == second.parts[2];
  // As the claim does when an identity is missing: the paths' texts.
  HeapBlock firstPath = CanonicalPath(a);
  HeapBlock secondPath = CanonicalPath(b);
  return firstPath && secondPath &&
         lstrcmpW(firstPath.as<wchar_t>(), secondPath.as<wchar_t>()) == 0;
}

}  // namespace tavimore
