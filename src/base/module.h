#pragma once
// Modules the program loads while it runs, and where to find them: the one
// place for the platform's dlopen and LoadLibrary. A module holds what only
// a few runs need (the PDF writer and its Qt libraries), so every other run
// starts without loading it.

#include <filesystem>

namespace quintora::base {

// The loaded module, or nullptr when the file is missing or cannot be
// loaded. A module stays loaded for the rest of the process: the libraries
// it brings may have registered work for the process's exit.
void* load_module(const std::filesystem::path& file);

// The address of an exported function or object of the module; nullptr
// when it has none of that name.
void* module_symbol(void* module, const char* name);

// The folder of the running program's file; empty when it cannot be told.
std::filesystem::path program_folder();

}  // namespace quintora::base
