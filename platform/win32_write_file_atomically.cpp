#include "platform/win32_write_file_atomically.h"

#include <windows.h>

#include <utility>

#include "core/decimal_text.h"
#include "core/replace_wait.h"
#include "platform/file_failure.h"
#include "platform/handle_owners.h"

namespace tavimore {
namespace {

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A name beside `target` that no file has yet.
std::wstring TemporaryBeside(const std::wstring& target) {
  for (unsigned i = 0;; ++i) {
    std::wstring candidate = target + L".partial" + DecimalText(i);
    if (!Exists(candidate) || i == 999) return candidate;
  }
}

// ERROR_SUCCESS once every byte is in the file and the file is closed; else why not. A
// write that takes nothing without an error has met a full disk.
DWORD WriteAndClose(FileHandle file, const std::vector<uint8_t>& bytes) {
  DWORD error = ERROR_SUCCESS;
  for (size_t done = 0; done < bytes.size() && error == ERROR_SUCCESS;) {
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done),
                   &written, nullptr))
      error = GetLastError();
    else if (written == 0)
      error = ERROR_DISK_FULL;
    done += written;
  }
  // The close counts as the C library's does: bytes it fails to keep are lost all the same.
  if (!CloseHandle(file.release()) && error == ERROR_SUCCESS) error = GetLastError();
  return error;
}

// The reason for a replace that failed, in the words the C++ library's rename uses on
// Windows: "access denied" is told as such, every other failure (a sharing violation
// among them) as an input/output error.
const wchar_t* ReplaceFailureReason(DWORD error) {
  return error == ERROR_ACCESS_DENIED ? L"Permission denied" : L"Input/output error";
}

}  // namespace

bool WriteFileAtomically(const std::wstring& target, const std::vector<uint8_t>& bytes,
                         std::wstring* error) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    *error = DescribeFileFailure(target, L"is a folder", ERROR_SUCCESS);
    return false;
  }
  const std::wstring temp = TemporaryBeside(target);
  // Opened and shared as the C library opens a file for writing.
  FileHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    *error = DescribeFileFailure(temp, L"cannot be created", GetLastError());
    return false;
  }
  if (const DWORD failure = WriteAndClose(std::move(file), bytes); failure != ERROR_SUCCESS) {
    DeleteFileW(temp.c_str());
    *error = DescribeFileFailure(temp, L"could not be written completely", failure);
    return false;
  }
  // Tried again whatever the failure, as the other form does on Windows, where the C++
  // library's rename (which moves with these flags) reports every failure as one that may
  // pass.
  BOOL replaced = FALSE;
  DWORD failure = ERROR_SUCCESS;
  for (int attempt = 0; attempt < kReplaceAttempts && !replaced; ++attempt) {
    if (attempt > 0) Sleep(kReplacePauseMs);
    replaced = MoveFileExW(temp.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED);
    if (!replaced) failure = GetLastError();
  }
  if (!replaced) {
    *error = target + L": could not be replaced (" + ReplaceFailureReason(failure) + L")";
    DeleteFileW(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace tavimore
