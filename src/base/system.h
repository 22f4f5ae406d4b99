#pragma once
// What the operating system gives the program beyond plain files: its
// arguments, its console, the folders it keeps settings and scratch files in,
// and the programs it associates with a file's type. Everything here is UTF-8
// inside; on Windows it is UTF-16 at the system.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quintora::base {

// The program's arguments as UTF-8. Windows hands main() its arguments in the
// 8-bit code page, which cannot hold every file name; they are taken from the
// UTF-16 command line instead. Elsewhere they are argv as it stands.
std::vector<std::string> utf8_arguments(int argc, char** argv);

// Makes the console show the program's UTF-8 output as UTF-8 (Windows);
// output into a file or a pipe is written byte for byte either way.
void use_utf8_console();

// The folder Windows gives a program for its settings: the user's roaming
// application data folder with "Quintora" in it. The folder is made by the
// first write. Empty where the desktop names the folder itself (Linux, macOS:
// the caller asks its toolkit) or the system gives none.
std::filesystem::path system_settings_folder();

// Makes the folder `path` so that only this user may enter it, from the
// moment it exists: mode 0700, or on Windows an access list that names the
// user alone. False when the name is taken (by anything, a link included) or
// refused.
bool create_private_folder(const std::filesystem::path& path);

// The path as a C library that takes a narrow file name opens it: on Windows
// in the 8-bit code page, or as the short name Windows keeps for it where the
// code page cannot spell the long one; elsewhere the path as it stands.
std::string narrow_path(const std::filesystem::path& path);

// Opens a file with the program that Windows associates with its type, as a
// double-click would. False when nothing could be started, and everywhere
// but on Windows, where the desktop toolkit knows the user's choice.
bool open_with_associated_program(const std::filesystem::path& file);

}  // namespace quintora::base
