#include "platform/file_failure.h"

namespace tavimore {
namespace {

// The C library's words for the error numbers a file call can end with.
constexpr wchar_t kInvalidArgument[] = L"Invalid argument";
constexpr wchar_t kNoSuchFile[] = L"No such file or directory";
constexpr wchar_t kTooManyOpenFiles[] = L"Too many open files";
constexpr wchar_t kPermissionDenied[] = L"Permission denied";
constexpr wchar_t kBadFileDescriptor[] = L"Bad file descriptor";
constexpr wchar_t kNotEnoughSpace[] = L"Not enough space";
constexpr wchar_t kArgListTooLong[] = L"Arg list too long";
constexpr wchar_t kExecFormatError[] = L"Exec format error";
constexpr wchar_t kImproperLink[] = L"Improper link";
constexpr wchar_t kFileExists[] = L"File exists";
constexpr wchar_t kTryAgain[] = L"Resource temporarily unavailable";
constexpr wchar_t kBrokenPipe[] = L"Broken pipe";
constexpr wchar_t kNoSpaceLeft[] = L"No space left on device";
constexpr wchar_t kNoChildProcesses[] = L"No child processes";
constexpr wchar_t kDirectoryNotEmpty[] = L"Directory not empty";

struct ErrorRange {
  DWORD first, last;
  const wchar_t* reason;
};

// The C library's own mapping from system errors to its error numbers, as its file calls
// apply it; any error not listed is "Invalid argument" there too.
constexpr ErrorRange kReasons[] = {
    {ERROR_INVALID_FUNCTION, ERROR_INVALID_FUNCTION, kInvalidArgument},
    {ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, kNoSuchFile},
    {ERROR_TOO_MANY_OPEN_FILES, ERROR_TOO_MANY_OPEN_FILES, kTooManyOpenFiles},
    {ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED, kPermissionDenied},
    {ERROR_INVALID_HANDLE, ERROR_INVALID_HANDLE, kBadFileDescriptor},
    {ERROR_ARENA_TRASHED, ERROR_INVALID_BLOCK, kNotEnoughSpace},
    {ERROR_BAD_ENVIRONMENT, ERROR_BAD_ENVIRONMENT, kArgListTooLong},
    {ERROR_BAD_FORMAT, ERROR_BAD_FORMAT, kExecFormatError},
    {ERROR_INVALID_DRIVE, ERROR_INVALID_DRIVE, kNoSuchFile},
    {ERROR_CURRENT_DIRECTORY, ERROR_CURRENT_DIRECTORY, kPermissionDenied},
    {ERROR_NOT_SAME_DEVICE, ERROR_NOT_SAME_DEVICE, kImproperLink},
    {ERROR_NO_MORE_FILES, ERROR_NO_MORE_FILES, kNoSuchFile},
    // A write-protected or unready medium, a sharing or lock violation.
    {ERROR_WRITE_PROTECT, ERROR_SHARING_BUFFER_EXCEEDED, kPermissionDenied},
    {ERROR_BAD_NETPATH, ERROR_BAD_NETPATH, kNoSuchFile},
    {ERROR_NETWORK_ACCESS_DENIED, ERROR_NETWORK_ACCESS_DENIED, kPermissionDenied},
    {ERROR_BAD_NET_NAME, ERROR_BAD_NET_NAME, kNoSuchFile},
    {ERROR_FILE_EXISTS, ERROR_FILE_EXISTS, kFileExists},
    {ERROR_CANNOT_MAKE, ERROR_FAIL_I24, kPermissionDenied},
    {ERROR_NO_PROC_SLOTS, ERROR_NO_PROC_SLOTS, kTryAgain},
    {ERROR_DRIVE_LOCKED, ERROR_DRIVE_LOCKED, kPermissionDenied},
    {ERROR_BROKEN_PIPE, ERROR_BROKEN_PIPE, kBrokenPipe},
    {ERROR_DISK_FULL, ERROR_DISK_FULL, kNoSpaceLeft},
    {ERROR_INVALID_TARGET_HANDLE, ERROR_INVALID_TARGET_HANDLE, kBadFileDescriptor},
    {ERROR_WAIT_NO_CHILDREN, ERROR_CHILD_NOT_COMPLETE, kNoChildProcesses},
    {ERROR_DIRECT_ACCESS_HANDLE, ERROR_DIRECT_ACCESS_HANDLE, kBadFileDescriptor},
    {ERROR_SEEK_ON_DEVICE, ERROR_SEEK_ON_DEVICE, kPermissionDenied},
    {ERROR_DIR_NOT_EMPTY, ERROR_DIR_NOT_EMPTY, kDirectoryNotEmpty},
    {ERROR_NOT_LOCKED, ERROR_NOT_LOCKED, kPermissionDenied},
    {ERROR_BAD_PATHNAME, ERROR_BAD_PATHNAME, kNoSuchFile},
    {ERROR_MAX_THRDS_REACHED, ERROR_MAX_THRDS_REACHED, kTryAgain},
    {ERROR_LOCK_FAILED, ERROR_LOCK_FAILED, kPermissionDenied},
    {ERROR_ALREADY_EXISTS, ERROR_ALREADY_EXISTS, kFileExists},
    {ERROR_INVALID_STARTING_CODESEG, ERROR_INFLOOP_IN_RELOC_CHAIN, kExecFormatError},
    {ERROR_FILENAME_EXCED_RANGE, ERROR_FILENAME_EXCED_RANGE, kNoSuchFile},
    {ERROR_NESTING_NOT_ALLOWED, ERROR_NESTING_NOT_ALLOWED, kTryAgain},
    {ERROR_NOT_ENOUGH_QUOTA, ERROR_NOT_ENOUGH_QUOTA, kNotEnoughSpace},
};

}  // namespace

const wchar_t* FileFailureReason(DWORD error) {
  for (const ErrorRange& range : kReasons)
    if (error >= range.first && error <= range.last) return range.reason;
  return kInvalidArgument;
}

std::wstring DescribeFileFailure(const std::wstring& path, const wchar_t* what, DWORD error) {
  std::wstring text = path + L": " + what;
  if (error != ERROR_SUCCESS) text += std::wstring(L" (") + FileFailureReason(error) + L")";
  return text;
}

}  // namespace tavimore
