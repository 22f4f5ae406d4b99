// What the system gives the program, as every system does it.

#include "base/system.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/scratch_folder.h"

namespace quintora::base {
namespace {

namespace fs = std::filesystem;

using System = test::ScratchFolderTest;

// A private folder is made only where nothing stands, a link included, and
// only its user may enter it (its access list on Windows: windows_test).
TEST_F(System, APrivateFolderIsNewAndTheUsersAlone) {
  const fs::path folder = folder_ / "work";
  ASSERT_TRUE(create_private_folder(folder));
  EXPECT_FALSE(create_private_folder(folder));
#ifndef _WIN32
  EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
  fs::create_directory_symlink(folder, folder_ / "link");
  EXPECT_FALSE(create_private_folder(folder_ / "link"));
  fs::create_directory_symlink(folder_ / "nowhere", folder_ / "dangling");
  EXPECT_FALSE(create_private_folder(folder_ / "dangling"));
  EXPECT_FALSE(fs::exists(folder_ / "nowhere"));
#endif
}

}  // namespace
}  // namespace quintora::base
