#pragma once
// The optimiser's exchange files: the reader and checker of "optimal.inp"
// (the pairing table the schedule run writes) and the writer of
// "optimal.out" (the chosen round order).

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "optimiser/tables.h"

namespace quintora::optimiser {

enum class InputStatus {
  Ok,
  TooManyRounds,  // NV above 99
  BadInput,       // missing or non-integer values, inconsistent table
};

struct InputReadResult {
  InputStatus status = InputStatus::BadInput;
  std::string message;  // on failure
  bool header_read = false;
  std::array<long long, 4> header{};  // as read: team count, NV, M, mode
  int rounds_read = 0;                // rounds read and accepted, in order
  PairingTable table;
};

// Reads the table free-form: four header integers from line 1 on, then each
// round starting on a new line with 2*M integers (continuing onto following
// lines if needed, ignoring the rest of its last line). Accepts only a single
// round-robin: an even team count 2..100, NV = team count - 1, M pairings of
// distinct teams per round (the dummy of an odd league never named), and no
// pair of teams met twice. The table comes back indexed (index_pairings).
InputReadResult read_pairing_table(std::string_view text);

// Writes the order, one round number per line after a blank. False when the
// file could not be created or written completely (a partly written file is
// removed).
bool write_round_order(const std::filesystem::path& file, const RoundSequence& order, int nv);

}  // namespace quintora::optimiser
