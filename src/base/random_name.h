#pragma once
// The random part of a name that must not collide with anyone else's file
// or folder: a temporary file beside a target, a private work folder.

#include <string>

namespace quintora::base {

// `digits` hexadecimal digits (at most 16) from a generator seeded once per
// process from the system's entropy and the clock.
std::string random_hex(int digits);

}  // namespace quintora::base
