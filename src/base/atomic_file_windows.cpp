// The atomic writer on Windows. The temporary is made with CREATE_NEW (which
// never opens an existing file or follows a link), written, flushed with
// FlushFileBuffers and renamed over the target with MoveFileExW, which
// either puts the whole new file in place or leaves the old one untouched.
// Windows refuses to replace a file that another program holds open (Excel
// with its workbook, Word with a schedule): that is reported as InUse, and
// the old file stays as it was.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

#include "base/atomic_file.h"
#include "base/interrupt_cleanup.h"

namespace quintora::base {

namespace fs = std::filesystem;

namespace {

// A virus scanner or the search indexer may look at a new file for a moment:
// a refused rename is tried again a few times before the target counts as
// held by another program.
constexpr int replace_attempts = 4;
constexpr DWORD replace_pause_ms = 100;

// The tests inject failures as errno values; these are the system's errors
// that stand for them here.
DWORD system_error_of(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return ERROR_ACCESS_DENIED;
    case EROFS:
      return ERROR_WRITE_PROTECT;
    case ENOSPC:
      return ERROR_DISK_FULL;
    case ENAMETOOLONG:
      return ERROR_FILENAME_EXCED_RANGE;
    case EEXIST:
      return ERROR_FILE_EXISTS;
    default:
      return ERROR_GEN_FAILURE;
  }
}

bool no_room_error(DWORD error) {
  return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL || error == ERROR_FILE_TOO_LARGE;
}

bool in_use_error(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_USER_MAPPED_FILE;
}

// Errors that say the folder takes no new file, while a file already there
// may still be writable.
bool folder_refuses_new_files(DWORD error) {
  return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT || no_room_error(error) ||
         error == ERROR_FILENAME_EXCED_RANGE;
}

// The handle travels as a C run-time descriptor, as the writer keeps it.
int as_descriptor(HANDLE handle) {
  if (handle == INVALID_HANDLE_VALUE) return -1;
  const int fd = _open_osfhandle(reinterpret_cast<std::intptr_t>(handle), _O_WRONLY | _O_BINARY);
  if (fd < 0) CloseHandle(handle);
  return fd;
}

HANDLE handle_of(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

// Delete sharing lets the interrupt cleanup remove the temporary while it is
// still open.
int open_exclusive(const fs::path& path, DWORD& error) {
  const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  error = handle == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
  return as_descriptor(handle);
}

int open_existing(const fs::path& path, DWORD& error) {
  const HANDLE handle =
      CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  error = handle == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
  return as_descriptor(handle);
}

// Whether an existing file may be written: Ok, ReadOnly, or InUse when
// another program holds it open without letting others write.
WriteStatus probe_existing(const fs::path& file) {
  const DWORD attributes = GetFileAttributesW(file.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
    return WriteStatus::ReadOnly;
  DWORD error = ERROR_SUCCESS;
  const int fd = open_existing(file, error);
  if (fd < 0) return in_use_error(error) ? WriteStatus::InUse : WriteStatus::ReadOnly;
  _close(fd);
  return WriteStatus::Ok;
}

// Writes everything; room, when not negative, is what the disk still takes.
DWORD write_all(HANDLE handle, std::string_view bytes, long long room) {
  if (room >= 0 && static_cast<long long>(bytes.size()) > room) return ERROR_DISK_FULL;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::size_t left = bytes.size() - done;
    const DWORD chunk = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
    DWORD written = 0;
    if (!WriteFile(handle, bytes.data() + done, chunk, &written, nullptr)) return GetLastError();
    if (written == 0) return ERROR_DISK_FULL;
    done += written;
  }
  return ERROR_SUCCESS;
}

bool set_size(HANDLE handle, long long size) {
  LARGE_INTEGER at{};
  at.QuadPart = size;
  return SetFilePointerEx(handle, at, nullptr, FILE_BEGIN) && SetEndOfFile(handle);
}

long long size_of(HANDLE handle) {
  LARGE_INTEGER size{};
  return GetFileSizeEx(handle, &size) ? size.QuadPart : -1;
}

// Renames the finished temporary over the target in one step.
WriteStatus put_in_place(const fs::path& temporary, const fs::path& target) {
  DWORD error = ERROR_SUCCESS;
  for (int attempt = 0; attempt < replace_attempts; ++attempt) {
    if (attempt > 0) Sleep(replace_pause_ms);
    if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return WriteStatus::Ok;
    error = GetLastError();
    // The target was checked to be a writable file: a refusal now means
    // that somebody holds it open.
    if (!in_use_error(error) && error != ERROR_ACCESS_DENIED) break;
  }
  return in_use_error(error) || error == ERROR_ACCESS_DENIED ? WriteStatus::InUse
                                                             : WriteStatus::CannotReplace;
}

}  // namespace

WriteStatus AtomicFile::open_beside(const fs::path& folder, fs::path destination,
                                    const fs::file_status& status) {
  const bool exists = fs::exists(status);
  if (exists) {
    const WriteStatus writable = probe_existing(destination);
    if (writable != WriteStatus::Ok) return writable;
  }

  DWORD error = ERROR_SUCCESS;
  for (int attempt = 0; attempt < name_attempts; ++attempt) {
    const fs::path candidate = temporary_name(folder, destination, attempt);
    // Registered before it exists, so an interrupt at any moment leaves no
    // temporary; at worst it removes a stale one of that random name.
    cleanup_slot_ = register_cleanup(candidate, CleanupKind::File);
    const int fd = write_faults().create_error != 0 ? -1 : open_exclusive(candidate, error);
    if (write_faults().create_error != 0) error = system_error_of(write_faults().create_error);
    if (fd >= 0) {
      descriptor_ = fd;
      temporary_ = candidate;
      destination_ = std::move(destination);
      return WriteStatus::Ok;
    }
    unregister_cleanup(cleanup_slot_);
    cleanup_slot_ = -1;
    // Somebody's file, a stale temporary or a planted link: another name.
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  if (!exists || !folder_refuses_new_files(error)) return WriteStatus::CannotCreate;
  const int fd = open_existing(destination, error);
  if (fd < 0) return in_use_error(error) ? WriteStatus::InUse : WriteStatus::ReadOnly;
  descriptor_ = fd;
  in_place_ = true;
  destination_ = std::move(destination);
  return WriteStatus::Ok;
}

WriteStatus AtomicFile::commit(std::string_view bytes) {
  if (descriptor_ < 0) return WriteStatus::InvalidName;
  const WriteStatus status = in_place_ ? commit_in_place(bytes) : commit_temporary(bytes);
  abandon();
  if (status == WriteStatus::Ok && write_faults().after_commit != nullptr)
    write_faults().after_commit(destination_);
  return status;
}

WriteStatus AtomicFile::commit_temporary(std::string_view bytes) {
  const HANDLE handle = handle_of(descriptor_);
  const DWORD error = write_all(handle, bytes, write_faults().room);
  if (error != ERROR_SUCCESS) return no_room_error(error) ? WriteStatus::NoRoom : WriteStatus::WriteFailed;
  if (!FlushFileBuffers(handle)) return WriteStatus::WriteFailed;
  const int fd = descriptor_;
  descriptor_ = -1;
  if (_close(fd) != 0) return WriteStatus::WriteFailed;
  if (write_faults().rename_fails) return WriteStatus::CannotReplace;
  const WriteStatus placed = put_in_place(temporary_, destination_);
  if (placed != WriteStatus::Ok) return placed;
  // The temporary is now the target: nothing is left to remove.
  unregister_cleanup(cleanup_slot_);
  cleanup_slot_ = -1;
  temporary_.clear();
  return WriteStatus::Ok;
}

// The room for a longer text is reserved by growing the file; until the text
// is written, every failure and an interrupt put the old length back, so no
// zeros stay after the old text.
WriteStatus AtomicFile::commit_in_place(std::string_view bytes) {
  const HANDLE handle = handle_of(descriptor_);
  const long long old_size = size_of(handle);
  const auto new_size = static_cast<long long>(bytes.size());
  if (old_size < 0) return WriteStatus::WriteFailed;
  if (new_size > old_size) {
    cleanup_slot_ = register_length_restore(descriptor_, old_size);
    // Growing the file first makes the disk hold the room for the whole
    // text, so writing over the old file cannot run out of room half-way.
    const bool simulated_full = write_faults().room >= 0 && new_size - old_size > write_faults().room;
    if (simulated_full || !set_size(handle, new_size)) {
      const DWORD error = simulated_full ? ERROR_DISK_FULL : GetLastError();
      set_size(handle, old_size);
      return no_room_error(error) ? WriteStatus::NoRoom : WriteStatus::WriteFailed;
    }
    if (write_faults().after_reserve != nullptr) write_faults().after_reserve();
  }
  // The room is reserved now: a failure from here on is not a full disk.
  LARGE_INTEGER start{};
  const bool written = SetFilePointerEx(handle, start, nullptr, FILE_BEGIN) &&
                       write_faults().write_error == 0 && write_all(handle, bytes, -1) == ERROR_SUCCESS;
  if (!written) {
    set_size(handle, old_size);
    return WriteStatus::WriteFailed;
  }
  unregister_cleanup(cleanup_slot_);
  cleanup_slot_ = -1;
  if (!set_size(handle, new_size) || !FlushFileBuffers(handle)) return WriteStatus::WriteFailed;
  return WriteStatus::Ok;
}

void AtomicFile::close_descriptor() {
  if (descriptor_ >= 0) _close(descriptor_);
  descriptor_ = -1;
}

// Windows has no file-size signal: a write past a limit fails with an error.
void ignore_file_size_signal() {}

}  // namespace quintora::base
