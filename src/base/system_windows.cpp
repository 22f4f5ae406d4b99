#include <objbase.h>
#include <sddl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <windows.h>

#include <cstdint>
#include <cstdlib>

#include "base/system.h"

namespace quintora::base {

namespace {

std::string utf8_from_wide(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), length, out.data(), size, nullptr, nullptr);
  return out;
}

UINT console_code_page = 0;

void restore_console_code_page() { SetConsoleOutputCP(console_code_page); }

// A security descriptor that gives the current user full control of a folder
// and of everything made inside it, and nobody else anything: the folder
// stays private even where its parent is shared.
class OwnerOnly {
 public:
  OwnerOnly() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return;
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::string user(size, '\0');
    LPWSTR sid = nullptr;
    if (size > 0 && GetTokenInformation(token, TokenUser, user.data(), size, &size) &&
        ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &sid)) {
      const std::wstring rules = L"D:P(A;OICI;FA;;;" + std::wstring(sid) + L")";
      LocalFree(sid);
      ConvertStringSecurityDescriptorToSecurityDescriptorW(rules.c_str(), SDDL_REVISION_1, &descriptor_,
                                                           nullptr);
    }
    CloseHandle(token);
  }
  ~OwnerOnly() {
    if (descriptor_ != nullptr) LocalFree(descriptor_);
  }
  OwnerOnly(const OwnerOnly&) = delete;
  OwnerOnly& operator=(const OwnerOnly&) = delete;

  // Null when the descriptor could not be made: the folder then takes its
  // parent's rules (the user's temporary folder admits only the user).
  SECURITY_ATTRIBUTES* attributes() {
    if (descriptor_ == nullptr) return nullptr;
    attributes_ = {sizeof attributes_, descriptor_, FALSE};
    return &attributes_;
  }

 private:
  PSECURITY_DESCRIPTOR descriptor_ = nullptr;
  SECURITY_ATTRIBUTES attributes_{};
};

}  // namespace

std::vector<std::string> utf8_arguments(int argc, char** argv) {
  std::vector<std::string> arguments;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) {
    for (int i = 0; i < argc; ++i) arguments.emplace_back(argv[i]);
    return arguments;
  }
  for (int i = 0; i < count; ++i) arguments.push_back(utf8_from_wide(wide[i]));
  LocalFree(wide);
  return arguments;
}

void use_utf8_console() {
  if (console_code_page != 0) return;
  console_code_page = GetConsoleOutputCP();
  // No console (output into a file or a pipe): nothing to change.
  if (console_code_page == 0 || !SetConsoleOutputCP(CP_UTF8)) return;
  std::atexit(restore_console_code_page);
}

std::filesystem::path system_settings_folder() {
  PWSTR folder = nullptr;
  const HRESULT found = SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &folder);
  std::filesystem::path path;
  if (found == S_OK && folder != nullptr) path = std::filesystem::path(folder) / L"Quintora";
  CoTaskMemFree(folder);
  return path;
}

bool create_private_folder(const std::filesystem::path& path) {
  OwnerOnly owner_only;
  return CreateDirectoryW(path.c_str(), owner_only.attributes()) != 0;
}

std::string narrow_path(const std::filesystem::path& path) {
  const std::wstring& wide = path.native();
  std::wstring spelt = wide;
  BOOL lossy = FALSE;
  const int length = static_cast<int>(wide.size());
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0, nullptr, &lossy);
  if (lossy) {
    const DWORD size = GetShortPathNameW(wide.c_str(), nullptr, 0);
    std::wstring short_name(size, L'\0');
    const DWORD got = size > 0 ? GetShortPathNameW(wide.c_str(), short_name.data(), size) : 0;
    if (got > 0 && got < size) spelt.assign(short_name.data(), got);
  }
  const int spelt_length = static_cast<int>(spelt.size());
  const int size = WideCharToMultiByte(CP_ACP, 0, spelt.data(), spelt_length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  if (size > 0)
    WideCharToMultiByte(CP_ACP, 0, spelt.data(), spelt_length, out.data(), size, nullptr, nullptr);
  return out;
}

bool open_with_associated_program(const std::filesystem::path& file) {
  // Some programs behind an association are started through COM.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const HINSTANCE started = ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  if (SUCCEEDED(com)) CoUninitialize();
  // ShellExecuteW reports success as a value above 32.
  return reinterpret_cast<std::intptr_t>(started) > 32;
}

}  // namespace quintora::base
