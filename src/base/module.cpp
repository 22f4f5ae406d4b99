#include "base/module.h"

#include <system_error>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX  // MinGW's C++ library defines it already
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace quintora::base {

#ifdef _WIN32

void* load_module(const std::filesystem::path& file) {
  return reinterpret_cast<void*>(::LoadLibraryExW(file.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

void* module_symbol(void* module, const char* name) {
  if (module == nullptr) return nullptr;
  return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(module), name));
}

std::filesystem::path program_folder() {
  wchar_t buffer[32768];
  const DWORD n = ::GetModuleFileNameW(nullptr, buffer, 32768);
  if (n == 0 || n >= 32768) return {};
  return std::filesystem::path(std::wstring(buffer, n)).parent_path();
}

#else

void* load_module(const std::filesystem::path& file) {
  // Its own symbols first, so the module's copies of shared code never
  // mix with the program's.
  return ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* module_symbol(void* module, const char* name) {
  return module == nullptr ? nullptr : ::dlsym(module, name);
}

std::filesystem::path program_folder() {
  std::error_code ec;
#if defined(__linux__)
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
#else
  const std::filesystem::path self;
  ec = std::make_error_code(std::errc::not_supported);
#endif
  return ec ? std::filesystem::path() : self.parent_path();
}

#endif

}  // namespace quintora::base
