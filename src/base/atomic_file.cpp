#include "base/atomic_file.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <system_error>

#include "base/interrupt_cleanup.h"

namespace quintora::base {

namespace fs = std::filesystem;

namespace {

bool no_room_error(int error) {
  return error == ENOSPC || error == EFBIG
#ifdef EDQUOT
         || error == EDQUOT
#endif
      ;
}

// Errors that say the folder takes no new file, while a file already there
// may still be writable.
bool folder_refuses_new_files(int error) {
  return error == EACCES || error == EPERM || error == EROFS || error == ENOSPC || error == ENAMETOOLONG ||
         error == EMLINK
#ifdef EDQUOT
         || error == EDQUOT
#endif
      ;
}

// ---- The platform's file calls, as thin as they can be. ----

int open_exclusive(const fs::path& path) {
  // O_EXCL with O_CREAT never follows a link at the name: a link planted
  // there, dangling or not, makes the call fail instead of writing through it.
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

int open_existing(const fs::path& path) { return ::open(path.c_str(), O_WRONLY | O_CLOEXEC); }

int write_some(int fd, const char* data, std::size_t size) {
  const ssize_t n = ::write(fd, data, size);
  return n < 0 ? -1 : static_cast<int>(n > 0x40000000 ? 0x40000000 : n);
}

bool sync_file(int fd) { return ::fsync(fd) == 0; }
bool close_file(int fd) { return ::close(fd) == 0; }
long long size_of(int fd) {
  struct stat st {};
  return ::fstat(fd, &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}
bool seek_start(int fd) { return ::lseek(fd, 0, SEEK_SET) == 0; }
bool resize(int fd, long long size) { return ::ftruncate(fd, static_cast<off_t>(size)) == 0; }

// Makes the disk hold the bytes from old_size to new_size, so that writing
// the new text over the old file cannot run out of room half-way.
int reserve(int fd, long long old_size, long long new_size) {
#ifdef __linux__
  const int error =
      ::posix_fallocate(fd, static_cast<off_t>(old_size), static_cast<off_t>(new_size - old_size));
  if (error != EOPNOTSUPP && error != EINVAL) return error;
#endif
  // Where the file system cannot allocate, writing zeros past the end does.
  if (::lseek(fd, static_cast<off_t>(old_size), SEEK_SET) < 0) return errno;
  static constexpr char zeros[4096] = {};
  for (long long left = new_size - old_size; left > 0;) {
    const std::size_t chunk = left > 4096 ? 4096 : static_cast<std::size_t>(left);
    const ssize_t n = ::write(fd, zeros, chunk);
    if (n <= 0) return n < 0 ? errno : ENOSPC;
    left -= n;
  }
  return 0;
}

long long size_limit() {
  struct rlimit limit {};
  if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return -1;
  return static_cast<long long>(limit.rlim_cur);
}

void copy_permissions(int fd, const fs::path& from) {
  struct stat st {};
  if (::stat(from.c_str(), &st) == 0) ::fchmod(fd, st.st_mode & 07777);
}

// The rename is part of the folder; syncing it makes the new name durable.
void sync_folder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Writes everything; room, when not negative, is what the disk still takes.
int write_all(int fd, std::string_view bytes, long long room) {
  if (room >= 0 && static_cast<long long>(bytes.size()) > room) return ENOSPC;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const int n = write_some(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? errno : ENOSPC;
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

bool may_write(const fs::path& file, const fs::file_status& status) {
  constexpr fs::perms any_write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if ((status.permissions() & any_write) == fs::perms::none) return false;
  const int fd = open_existing(file);
  if (fd < 0) return false;
  close_file(fd);
  return true;
}

}  // namespace

WriteStatus AtomicFile::open_beside(const fs::path& folder, fs::path destination,
                                    const fs::file_status& status) {
  const bool exists = fs::exists(status);
  if (exists && !may_write(destination, status)) return WriteStatus::ReadOnly;

  int error = 0;
  for (int attempt = 0; attempt < name_attempts; ++attempt) {
    const fs::path candidate = temporary_name(folder, destination, attempt);
    // Registered before it exists, so an interrupt at any moment leaves no
    // temporary; at worst it removes a stale one of that random name.
    cleanup_slot_ = register_cleanup(candidate, CleanupKind::File);
    int fd = -1;
    if (write_faults().create_error != 0) {
      errno = write_faults().create_error;
    } else {
      fd = open_exclusive(candidate);
    }
    if (fd >= 0) {
      descriptor_ = fd;
      temporary_ = candidate;
      destination_ = std::move(destination);
      return WriteStatus::Ok;
    }
    error = errno;
    unregister_cleanup(cleanup_slot_);
    cleanup_slot_ = -1;
    // Somebody's file, a stale temporary or a planted link: another name.
    if (error != EEXIST) break;
  }
  if (!exists || !folder_refuses_new_files(error)) return WriteStatus::CannotCreate;
  const int fd = open_existing(destination);
  if (fd < 0) return WriteStatus::ReadOnly;
  descriptor_ = fd;
  in_place_ = true;
  destination_ = std::move(destination);
  return WriteStatus::Ok;
}

WriteStatus AtomicFile::commit(std::string_view bytes) {
  if (descriptor_ < 0) return WriteStatus::InvalidName;
  const long long limit = size_limit();
  if (limit >= 0 && static_cast<long long>(bytes.size()) > limit) {
    abandon();
    return WriteStatus::NoRoom;
  }
  const WriteStatus status = in_place_ ? commit_in_place(bytes) : commit_temporary(bytes);
  abandon();
  if (status == WriteStatus::Ok && write_faults().after_commit != nullptr)
    write_faults().after_commit(destination_);
  return status;
}

WriteStatus AtomicFile::commit_temporary(std::string_view bytes) {
  const int error = write_all(descriptor_, bytes, write_faults().room);
  if (error != 0) return no_room_error(error) ? WriteStatus::NoRoom : WriteStatus::WriteFailed;
  std::error_code ec;
  if (fs::exists(destination_, ec)) copy_permissions(descriptor_, destination_);
  if (!sync_file(descriptor_)) return WriteStatus::WriteFailed;
  const int fd = descriptor_;
  descriptor_ = -1;
  if (!close_file(fd)) return WriteStatus::WriteFailed;
  if (write_faults().rename_fails) return WriteStatus::CannotReplace;
  fs::rename(temporary_, destination_, ec);
  if (ec) return WriteStatus::CannotReplace;
  // The temporary is now the target: nothing is left to remove.
  unregister_cleanup(cleanup_slot_);
  cleanup_slot_ = -1;
  temporary_.clear();
  fs::path folder = destination_.parent_path();
  sync_folder(folder.empty() ? fs::path(".") : folder);
  return WriteStatus::Ok;
}

// The room for a longer text is reserved by growing the file; until the text
// is written, every failure and an interrupt put the old length back, so no
// zeros stay after the old text.
WriteStatus AtomicFile::commit_in_place(std::string_view bytes) {
  const long long old_size = size_of(descriptor_);
  const auto new_size = static_cast<long long>(bytes.size());
  if (old_size < 0) return WriteStatus::WriteFailed;
  if (new_size > old_size) {
    cleanup_slot_ = register_length_restore(descriptor_, old_size);
    const bool simulated_full = write_faults().room >= 0 && new_size - old_size > write_faults().room;
    const int error = simulated_full ? ENOSPC : reserve(descriptor_, old_size, new_size);
    if (error != 0) {
      resize(descriptor_, old_size);
      return no_room_error(error) ? WriteStatus::NoRoom : WriteStatus::WriteFailed;
    }
    if (write_faults().after_reserve != nullptr) write_faults().after_reserve();
  }
  // The room is reserved now: a failure from here on is not a full disk.
  const bool written =
      seek_start(descriptor_) && write_faults().write_error == 0 && write_all(descriptor_, bytes, -1) == 0;
  if (!written) {
    resize(descriptor_, old_size);
    return WriteStatus::WriteFailed;
  }
  unregister_cleanup(cleanup_slot_);
  cleanup_slot_ = -1;
  if (!resize(descriptor_, new_size) || !sync_file(descriptor_)) return WriteStatus::WriteFailed;
  return WriteStatus::Ok;
}

void AtomicFile::close_descriptor() {
  if (descriptor_ >= 0) close_file(descriptor_);
  descriptor_ = -1;
}

void ignore_file_size_signal() {
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
}

}  // namespace quintora::base
