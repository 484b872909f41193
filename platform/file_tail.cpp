#include "platform/file_tail.h"

#include "platform/handle_owners.h"

namespace tavimore {

FileTail ReadFileTail(const wchar_t* path, uint32_t offset, HeapBlock* tail, size_t* size) {
  const FileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return FileTail::kFailed;
  // A clock is its program and at most 255 face images, 6.5 MB: a file of 4 GiB or more (a
  // high part to its length) is none, so the 32-bit calls serve, and one read takes it all.
  DWORD high = 0;
  const DWORD length = GetFileSize(file.get(), &high);
  if (length == INVALID_FILE_SIZE || high != 0) return FileTail::kFailed;
  if (length < offset) return FileTail::kTooShort;
  const DWORD bytes = length - offset;
  HeapBlock block(static_cast<size_t>(bytes) + 1);
  if (!block) return FileTail::kFailed;
  DWORD read = 0;
  if (SetFilePointer(file.get(), static_cast<LONG>(offset), nullptr, FILE_BEGIN) ==
          INVALID_SET_FILE_POINTER ||
      !ReadFile(file.get(), block.as<void>(), bytes, &read, nullptr) || read != bytes)
    return FileTail::kFailed;
  *tail = static_cast<HeapBlock&&>(block);
  *size = read;
  return FileTail::kRead;
}

}  // namespace tavimore
