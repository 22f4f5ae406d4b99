// The one atomic writer: a failure at any step leaves the old file as it
// was, no temporary file stays behind, and nothing planted beside the target
// is ever written through.

#include "base/atomic_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>

#include "base/interrupt_cleanup.h"
#include "support/read_file.h"
#include "support/scratch_folder.h"
#include "support/write_faults.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

namespace quintora::base {
namespace {

namespace fs = std::filesystem;

using test::read_file;
using test::write_faults;

class AtomicFileTest : public test::ScratchFolderTest {
 protected:
  const std::string new_text_ = std::string(5000, 'n') + "\n";
};

TEST_F(AtomicFileTest, ReplacesTheFileKeepingItsPermissionsAndLeavesNothingElse) {
  fs::permissions(target_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_EQ(write_file_atomically(target_, new_text_), WriteStatus::Ok);
  EXPECT_EQ(read_file(target_), new_text_);
#ifndef _WIN32  // Windows files have no such permission bits
  EXPECT_EQ(fs::status(target_).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
#endif
  EXPECT_EQ(others(), 0);
  ASSERT_EQ(write_file_atomically(folder_ / "new.txt", "fresh"), WriteStatus::Ok);
  EXPECT_EQ(read_file(folder_ / "new.txt"), "fresh");
}

TEST_F(AtomicFileTest, RefusesWhatIsNoFileAndKeepsTheOldFile) {
  fs::create_directory(folder_ / "folder.sch");
  std::ofstream(folder_ / "readonly.sch") << "kept";
  fs::permissions(folder_ / "readonly.sch", fs::perms::owner_read | fs::perms::group_read);
  // Each refusal as the messages name it (their own words, one for each status).
  const std::pair<fs::path, std::string_view> cases[] = {
      {fs::path(), "The name is not a file name."},
      {folder_ / "", "The name is not a file name."},
      {folder_ / "missing" / "x.sch", "Its folder does not exist."},
      {folder_ / "folder.sch", "A folder or another object that is not a file has that name."},
      {folder_ / "readonly.sch", "The file is read-only."},
  };
  for (const auto& [target, message] : cases)
    EXPECT_EQ(describe(write_file_atomically(target, new_text_)), message) << target;
  EXPECT_EQ(read_file(folder_ / "readonly.sch"), "kept");
  EXPECT_EQ(others(), 2);
}

#ifndef _WIN32
// A link planted at the temporary's name, dangling or pointing at a file,
// is passed over: the writer takes another name and the link's target is
// neither made nor changed. A target that is itself a link is replaced
// where the link points, and stays a link.
TEST_F(AtomicFileTest, LinksAreFollowedAtTheTargetAndNeverAtTheTemporaryName) {
  fs::create_symlink(target_, folder_ / "link.sch");
  ASSERT_EQ(write_file_atomically(folder_ / "link.sch", "through the link"), WriteStatus::Ok);
  EXPECT_EQ(std::pair(fs::is_symlink(fs::symlink_status(folder_ / "link.sch")), read_file(target_)),
            std::pair(true, std::string("through the link")));
  fs::remove(folder_ / "link.sch");
  set_write_faults_for_testing(write_faults(0, -1, false, "planted"));
  {
    AtomicFile file;  // the name below is the one tried first, so the links are met
    ASSERT_EQ(file.prepare(target_), WriteStatus::Ok);
    EXPECT_TRUE(fs::exists(folder_ / ".league.sch.planted.tmp"));
  }
  const fs::path victim = folder_ / "victim";
  const fs::path existing = folder_ / "existing";
  std::ofstream(existing) << "untouched";
  for (const fs::path& pointee : {victim, existing}) {
    set_write_faults_for_testing(write_faults(0, -1, false, "planted"));
    const fs::path link = folder_ / ".league.sch.planted.tmp";
    fs::remove(link);
    fs::create_symlink(pointee, link);
    ASSERT_EQ(write_file_atomically(target_, new_text_), WriteStatus::Ok);
    EXPECT_EQ(read_file(target_), new_text_);
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_EQ(fs::read_symlink(link), pointee);
  }
  EXPECT_FALSE(fs::exists(victim));
  EXPECT_EQ(read_file(existing), "untouched");
}
#endif

// Failures in the middle of a write: a full disk, a rename that fails, a
// folder that takes no new files. Each leaves the old file byte for byte; a
// folder that refuses new files still takes an existing, writable file in
// place (its room reserved first), but no new one.
TEST_F(AtomicFileTest, FailuresLeaveTheOldFileByteForByte) {
  WriteFaults failing_write = write_faults(EACCES);  // once the room is reserved
  failing_write.write_error = EIO;
  const struct {
    const char* what;
    WriteFaults injected;
    WriteStatus status;
    std::string text = "";  // the new file's text when it is written; empty: the old one stays
    const char* name = "league.sch";
  } cases[] = {
      {"disk full", write_faults(0, 100), WriteStatus::NoRoom},
      {"rename fails", write_faults(0, -1, true), WriteStatus::CannotReplace},
      {"read-only folder, disk full", write_faults(EACCES, 10), WriteStatus::NoRoom},
      {"no free inodes, disk full", write_faults(ENOSPC, 0), WriteStatus::NoRoom},
      {"name too long, disk full", write_faults(ENAMETOOLONG, 4000), WriteStatus::NoRoom},
      {"not a refusing folder: no write in place", write_faults(EIO), WriteStatus::CannotCreate},
      {"read-only folder, new file", write_faults(EROFS), WriteStatus::CannotCreate, "", "new.sch"},
      {"read-only folder, in place, write fails", failing_write, WriteStatus::WriteFailed},
      {"read-only folder, in place", write_faults(EACCES), WriteStatus::Ok, new_text_},
      {"read-only folder, shorter in place", write_faults(EACCES), WriteStatus::Ok, "short"},
  };
  for (const auto& c : cases) {
    set_write_faults_for_testing(c.injected);
    EXPECT_EQ(write_file_atomically(folder_ / c.name, c.text.empty() ? new_text_ : c.text), c.status)
        << c.what;
    EXPECT_EQ(read_file(target_), c.text.empty() ? old_text_ : c.text) << c.what;
    EXPECT_EQ(others(), 0) << c.what;
  }
}

#ifndef _WIN32
// The process's file-size limit is real here: the write is refused before a
// byte is written (by the one check both modes pass).
TEST_F(AtomicFileTest, AFileSizeLimitBelowTheNewSizeChangesNothing) {
  ignore_file_size_signal();
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit low = saved;
  low.rlim_cur = 1000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &low), 0);
  const WriteStatus status = write_file_atomically(target_, new_text_);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &saved), 0);
  EXPECT_EQ(status, WriteStatus::NoRoom);
  EXPECT_EQ(read_file(target_), old_text_);
  EXPECT_EQ(others(), 0);
}

// Ctrl+C or a kill while a file is being written removes the temporary or,
// overwriting in place, puts the old length back once the room is reserved.
// Twenty finished writes first show that each gives its registration back.
TEST_F(AtomicFileTest, AnInterruptedWriteLeavesTheOldFileAndNoTemporary) {
  for (const bool in_place : {false, true}) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      install_interrupt_cleanup();
      for (int k = 0; k < 20; ++k) {
        set_write_faults_for_testing(write_faults(k % 2 == 0 ? 0 : EACCES));
        if (write_file_atomically(target_, old_text_) != WriteStatus::Ok) _exit(3);
      }
      WriteFaults faults = write_faults(in_place ? EACCES : 0);
      faults.after_reserve = [] { std::raise(SIGTERM); };
      set_write_faults_for_testing(faults);
      AtomicFile file;
      if (file.prepare(target_) != WriteStatus::Ok) _exit(3);
      if (!in_place) std::raise(SIGTERM);
      file.commit(new_text_);
      _exit(4);  // not reached: the signal ends the process
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << in_place;
    EXPECT_EQ(read_file(target_), old_text_) << in_place;
    EXPECT_EQ(others(), 0) << in_place;
  }
}
#endif

}  // namespace
}  // namespace quintora::base
