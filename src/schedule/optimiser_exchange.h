#pragma once
// The run's side of the optimiser's exchange files: the balanced table goes
// out as "optimal.inp", the chosen round order comes back in "optimal.out".

#include <filesystem>
#include <string>

#include "schedule/round_table.h"

namespace quintora::schedule {

enum class ExchangeResult { Ok, NotWritable, NotReadable, Malformed };

// The text of "optimal.inp" for the real slots of `table`.
std::string optimiser_input_text(const RoundTable& table);

// Writes optimiser_input_text to `path`; NotWritable when the file cannot be
// created or a write fails (checked at close).
ExchangeResult write_optimiser_input(const std::filesystem::path& path, const RoundTable& table);

// Reads nweek integers, each after white space, and accepts them only as a
// permutation of 1..nweek; anything else is Malformed and `order` is left
// untouched. What follows the nweek-th number is ignored.
ExchangeResult parse_round_order(std::string_view text, int nweek, RoundOrder& order);
ExchangeResult read_round_order(const std::filesystem::path& path, int nweek, RoundOrder& order);

}  // namespace quintora::schedule
