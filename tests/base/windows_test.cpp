// What Windows does differently: a target another program holds open, file
// names beyond the 8-bit code page, the console's interrupts, the settings
// and work folders, and opening a file with its associated program.

#include <aclapi.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "base/atomic_file.h"
#include "base/interrupt_cleanup.h"
#include "base/paths.h"
#include "base/system.h"
#include "support/read_file.h"
#include "support/scratch_folder.h"

namespace quintora::base {
namespace {

namespace fs = std::filesystem;

using test::read_file;

// In a folder whose name the 8-bit code page of most systems cannot spell
// whole, as a user's folder may be.
using WindowsTest = test::ScratchFolderTest;

// Excel keeps the workbook it shows open and lets others at most read it;
// other programs let others write but not delete. Either way the new file
// cannot take the old one's place: the writer says so, in words that say
// what to do, and the old bytes stay.
TEST_F(WindowsTest, ATargetHeldOpenByAnotherProgramIsReportedAndKept) {
  for (const DWORD sharing : {DWORD{0}, DWORD{FILE_SHARE_READ}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
    const HANDLE held =
        CreateFileW(target_.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const WriteStatus status = write_file_atomically(target_, "new");
    CloseHandle(held);
    EXPECT_EQ(describe(status), "Another program has the file open: close it there, then try again.")
        << sharing;
    EXPECT_EQ(read_file(target_), old_text_) << sharing;
    EXPECT_EQ(others(), 0) << "the temporary is removed";
  }
  ASSERT_EQ(write_file_atomically(target_, "new"), WriteStatus::Ok) << "once closed, the file is replaced";
  EXPECT_EQ(read_file(target_), "new");
}

// The names reach the system as UTF-16: the file on disk bears the name
// given, letter for letter, and the C library's narrow name opens it too.
TEST_F(WindowsTest, FileNamesAreUtf8InsideAndUtf16AtTheSystem) {
  const fs::path target = folder_ / path_from_utf8("calendrier \xe2\x80\x94 \xc3\xa9t\xc3\xa9.xlsx");
  ASSERT_EQ(write_file_atomically(target, "written"), WriteStatus::Ok);
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW((folder_ / L"*.xlsx").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  FindClose(search);
  EXPECT_EQ(std::wstring(found.cFileName), L"calendrier \u2014 \u00e9t\u00e9.xlsx");
  EXPECT_EQ(utf8_of(folder_ / found.cFileName), utf8_of(target));

  const std::string narrow = narrow_path(target);
  FILE* file = std::fopen(narrow.c_str(), "rb");
  ASSERT_NE(file, nullptr) << narrow;
  std::fclose(file);
}

// Ctrl+C reaches the program through its console; Wine cannot send Ctrl+Break
// to a process group or close a console window without a display, so for
// those the handler runs as the console would run it. Each removes the
// temporary being written and the registered work folder, keeps the old
// file, and ends the program as Windows ends it on Ctrl+C.
TEST_F(WindowsTest, CtrlCCtrlBreakAndClosingTheConsoleCleanUp) {
  std::array<wchar_t, MAX_PATH> own{};
  GetModuleFileNameW(nullptr, own.data(), MAX_PATH);
  const fs::path child = fs::path(own.data()).parent_path() / L"interrupted_child.exe";
  ASSERT_TRUE(fs::exists(child)) << utf8_of(child);
  const struct {
    DWORD event;
    const char* how;
  } cases[] = {{CTRL_C_EVENT, "send"},
               {CTRL_BREAK_EVENT, "call"},
               {CTRL_CLOSE_EVENT, "call"},
               {CTRL_C_EVENT, "length"}};  // the room grown for the new text is given back
  for (const auto& c : cases) {
    const fs::path work = folder_ / path_from_utf8("quintora-run-\xc3\xa9");
    std::wstring command = L"\"" + child.native() + L"\" \"" + target_.native() + L"\" \"" + work.native() +
                           L"\" " + std::to_wstring(c.event) + L" " + path_from_utf8(c.how).native();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // A console of its own, so that its Ctrl+C reaches nobody else.
    ASSERT_TRUE(CreateProcessW(child.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE,
                               nullptr, nullptr, &startup, &process));
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(status, 0xC000013Au) << c.event;
    EXPECT_EQ(read_file(target_), old_text_) << c.event << " " << c.how;
    EXPECT_EQ(others(), 0) << c.event << ": neither the temporary nor the work folder stays";
  }
}

// The settings live in the user's roaming application data, never beside
// the program; the folder is named, and made only when a setting is written.
TEST_F(WindowsTest, SettingsLiveInTheUsersApplicationData) {
  std::array<wchar_t, 32768> appdata{};
  ASSERT_GT(GetEnvironmentVariableW(L"APPDATA", appdata.data(), static_cast<DWORD>(appdata.size())), 0u);
  const fs::path folder = system_settings_folder();
  EXPECT_EQ(folder, fs::path(appdata.data()) / L"Quintora");
}

// Whether some rule of the folder's access list grants the user anything
// and every other rule that grants anything names the system (Wine adds it,
// as Windows does for a folder it inherits rules for).
bool admits_the_user_alone(const fs::path& folder) {
  HANDLE token = nullptr;
  OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
  std::array<unsigned char, 256> user{};
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, user.data(), static_cast<DWORD>(user.size()), &size);
  CloseHandle(token);
  const PSID me = reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid;
  PACL acl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(folder.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &acl,
                            nullptr, &descriptor) != ERROR_SUCCESS)
    return false;
  bool user_admitted = false, other_admitted = false;
  for (DWORD i = 0; acl != nullptr && i < acl->AceCount; ++i) {
    void* ace = nullptr;
    if (!GetAce(acl, i, &ace) || static_cast<const ACE_HEADER*>(ace)->AceType != ACCESS_ALLOWED_ACE_TYPE)
      continue;
    const PSID sid = &static_cast<ACCESS_ALLOWED_ACE*>(ace)->SidStart;
    user_admitted = user_admitted || EqualSid(sid, me);
    other_admitted = other_admitted || (!EqualSid(sid, me) && !IsWellKnownSid(sid, WinLocalSystemSid));
  }
  LocalFree(descriptor);
  return user_admitted && !other_admitted;
}

// A work folder admits the user alone, whatever its parent admits (that it
// is always new is system_test's).
TEST_F(WindowsTest, ThePrivateFolderAdmitsTheUserAlone) {
  const fs::path folder = folder_ / L"quintora-run-1";
  ASSERT_TRUE(create_private_folder(folder));
  EXPECT_TRUE(admits_the_user_alone(folder));
}

// WordPad's choice opens the schedule as a double-click would: with the
// program registered for its type. Here the type's program copies the file,
// which shows it was started, on the file, by its full UTF-16 name.
TEST_F(WindowsTest, AFileOpensWithTheProgramAssociatedWithItsType) {
  const fs::path schedule = folder_ / path_from_utf8("saison \xc3\xa9t\xc3\xa9.quintoratest");
  std::ofstream(schedule, std::ios::binary) << "Week 1";
  std::array<wchar_t, MAX_PATH> system{};
  GetSystemDirectoryW(system.data(), MAX_PATH);
  const std::wstring command =
      L"\"" + std::wstring(system.data()) + L"\\cmd.exe\" /c copy \"%1\" \"%1.opened\"";
  // Windows reads the user's own classes, where a per-user install puts
  // them; Wine reads only the machine's.
  const std::pair<HKEY, std::wstring> roots[] = {{HKEY_CURRENT_USER, L"Software\\Classes\\"},
                                                 {HKEY_CLASSES_ROOT, L""}};
  bool registered = false;
  for (const auto& [root, classes] : roots) {
    const std::wstring type = classes + L".quintoratest";
    const std::wstring open = classes + L"Quintora.Test\\shell\\open\\command";
    registered |=
        RegSetKeyValueW(root, type.c_str(), nullptr, REG_SZ, L"Quintora.Test", sizeof(L"Quintora.Test")) ==
            ERROR_SUCCESS &&
        RegSetKeyValueW(root, open.c_str(), nullptr, REG_SZ, command.c_str(),
                        static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  }
  ASSERT_TRUE(registered);
  const bool started = open_with_associated_program(schedule);
  fs::path opened = schedule;
  opened += L".opened";
  for (int i = 0; i < 200 && !fs::exists(opened); ++i) Sleep(100);
  for (const auto& [root, classes] : roots) {
    RegDeleteTreeW(root, (classes + L".quintoratest").c_str());
    RegDeleteTreeW(root, (classes + L"Quintora.Test").c_str());
  }
  EXPECT_TRUE(started);
  EXPECT_EQ(read_file(opened), "Week 1");
  EXPECT_FALSE(open_with_associated_program(folder_ / L"no program.quintoranothing"));
}

}  // namespace
}  // namespace quintora::base
