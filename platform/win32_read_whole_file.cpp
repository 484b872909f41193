#include "platform/win32_read_whole_file.h"

#include <windows.h>

#include "core/read_whole_file.h"
#include "platform/handle_owners.h"

namespace tavimore {

bool ReadWholeFile(const wchar_t* path, std::vector<uint8_t>* bytes) {
  // Shared as the C library opens files, so a file another program is writing can be read.
  // A folder does not open without FILE_FLAG_BACKUP_SEMANTICS.
  const FileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size;
  if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
      static_cast<uintmax_t>(size.QuadPart) > kMaxReadBytes)
    return false;
  bytes->resize(static_cast<size_t>(size.QuadPart));
  for (size_t done = 0; done < bytes->size();) {
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes->data() + done, static_cast<DWORD>(bytes->size() - done),
                  &read, nullptr) ||
        read == 0)
      return false;  // an error, or a file that shrank while it was read
    done += read;
  }
  return true;
}

}  // namespace tavimore
