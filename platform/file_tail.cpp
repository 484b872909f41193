#include "platform/file_tail.h"

#include "platform/handle_owners.h"

namespace tavimore {

FileTail ReadFileTail(const wchar_t* path, uint32_t offset, HeapBlock* tail, size_t* size) {
  const FileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return FileTail::kFailed;
  LARGE_INTEGER length;
  if (!GetFileSizeEx(file.get(), &length)) return FileTail::kFailed;
  if (length.QuadPart < offset) return FileTail::kTooShort;
  // One read call takes at most 4 GiB - 1; a clock holds at most 255 images (6.5 MB).
  const LONGLONG bytes = length.QuadPart - offset;
  if (bytes >= 0xFFFFFFFFll) return FileTail::kFailed;
  HeapBlock block(static_cast<size_t>(bytes) + 1);
  if (!block) return FileTail::kFailed;
  LARGE_INTEGER at;
  at.QuadPart = offset;
  DWORD read = 0;
  if (!SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN) ||
      !ReadFile(file.get(), block.as<void>(), static_cast<DWORD>(bytes), &read, nullptr) ||
      read != bytes)
    return FileTail::kFailed;
  *tail = static_cast<HeapBlock&&>(block);
  *size = read;
  return FileTail::kRead;
}

}  // namespace tavimore
