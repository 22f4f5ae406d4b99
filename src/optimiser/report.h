#pragma once
// The lines of the optimiser's report "ZORAV.OUT" and of its progress on
// standard output: input echo, the trace of every generation, the stop
// message, the boxed summary of the best order, the processor time and the
// per-team diagnostics of the chosen order.

#include <array>
#include <ostream>
#include <string>
#include <string_view>

#include "optimiser/tables.h"

namespace quintora::optimiser {

enum class StopRule { Target, Stall, Limit };

// The two destinations: the report file and standard output.
class ReportSink {
 public:
  ReportSink(std::ostream& report, std::ostream& out) : report_(report), out_(out) {}
  void both(std::string_view line) {
    to_report(line);
    to_out(line);
  }
  void to_report(std::string_view line) { report_ << line << '\n'; }
  void to_out(std::string_view line) { out_ << line << '\n'; }

 private:
  std::ostream& report_;
  std::ostream& out_;
};

// Free-form echo of the header values as read, then a line with one blank.
void write_header_echo(std::ostream& report, const std::array<long long, 4>& header);
// Free-form echo of round r (from 0): its 2*M team numbers.
void write_round_echo(std::ostream& report, const PairingTable& table, int r);

// Values as I5 fields, `per_line` to a line; the first line starts with
// `prefix`, later lines with as many blanks.
void write_i5_lines(std::ostream& stream, const int* values, int count, int per_line,
                    std::string_view prefix = {});

// " AT GENERATION #" I6 ", COST =" E14, the solution caption and the order.
void write_generation_trace(ReportSink& sink, long generation, double best_cost, const RoundSequence& order,
                            int nv);
void write_increase_notice(ReportSink& sink);
void write_stop_message(ReportSink& sink, StopRule rule, int stall_limit);

// NV!, exact as a whole number up to 12, as a real from 13 on.
std::string possibilities_text(int nv);

void report_best_solution(ReportSink& sink, const RoundSequence& order, double cost, int nv,
                          long evaluations);
void write_cpu_time(ReportSink& sink, double start, double end);

// Per position of the order: 10 x first-named + second-named of each pairing.
void write_round_codes(std::ostream& report, const RoundSequence& order, const PairingTable& table);
// Per-team violations, marks per position and longest runs of the order.
void write_alternation_diagnostics(std::ostream& report, const RoundSequence& order,
                                   const PairingTable& table);

}  // namespace quintora::optimiser
