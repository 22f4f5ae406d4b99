#include "optimiser/report.h"

#include "optimiser/cost.h"
#include "optimiser/report_fields.h"

namespace quintora::optimiser {

void write_header_echo(std::ostream& report, const std::array<long long, 4>& header) {
  FreeFormLine line;
  for (long long value : header) line.whole(value);
  report << line.str() << '\n';
  report << FreeFormLine().text("").str() << '\n';
}

void write_round_echo(std::ostream& report, const PairingTable& table, int r) {
  FreeFormLine line;
  const auto round = static_cast<std::size_t>(r);
  for (int k = 0; k < table.m; ++k) {
    line.whole(table.first[round][static_cast<std::size_t>(k)]);
    line.whole(table.second[round][static_cast<std::size_t>(k)]);
  }
  report << line.str() << '\n';
}

void write_i5_lines(std::ostream& stream, const int* values, int count, int per_line,
                    std::string_view prefix) {
  const std::string indent(prefix.size(), ' ');
  for (int start = 0; start < count; start += per_line) {
    std::string line(start == 0 ? std::string(prefix) : indent);
    for (int i = start; i < count && i < start + per_line; ++i) line += format_int(values[i], 5);
    stream << line << '\n';
  }
  if (count == 0 && !prefix.empty()) stream << prefix << '\n';
}

void write_generation_trace(ReportSink& sink, long generation, double best_cost, const RoundSequence& order,
                            int nv) {
  sink.both(" AT GENERATION #" + format_int(generation, 6) + ", COST =" + format_e14(best_cost));
  sink.to_report("  THE SOLUTION IS:");
  sink.to_out("   THE SOLUTION IS:");
  std::array<int, max_rounds> values{};
  for (int p = 0; p < nv; ++p) values[static_cast<std::size_t>(p)] = order.round[static_cast<std::size_t>(p)];
  for (int start = 0; start < nv; start += 10) {
    std::string line;
    for (int p = start; p < nv && p < start + 10; ++p)
      line += format_int(values[static_cast<std::size_t>(p)], 5);
    sink.both(line);
  }
}

void write_increase_notice(ReportSink& sink) {
  const std::string blank = FreeFormLine().text("").str();
  sink.both(blank);
  sink.both(FreeFormLine().text("*** POSSIBILITY OF PERMUTATION IS INCREASED ***").str());
  sink.both(blank);
}

void write_stop_message(ReportSink& sink, StopRule rule, int stall_limit) {
  sink.both(FreeFormLine().text("").str());
  switch (rule) {
    case StopRule::Target:
      sink.both(" TARGET COST VALUE IS REACHED. PROGRAM STOPS.");
      break;
    case StopRule::Stall:
      sink.both(" SOLUTION IS NOT IMPROVED IN THE");
      sink.both(" LAST " + format_int(stall_limit, 2) + " GENERATIONS. PROGRAM STOPS.");
      break;
    case StopRule::Limit:
      sink.both(" ITERATION LIMIT EXCEEDED. PROGRAM STOPS.");
      break;
  }
}

std::string possibilities_text(int nv) {
  // 13! no longer fits a 32-bit integer: from there on it is a real.
  if (nv <= 12) {
    long long whole = 1;
    for (int i = 2; i <= nv; ++i) whole *= i;
    return std::to_string(whole);
  }
  double real = 1.0;
  for (int i = 2; i <= nv; ++i) real *= i;
  return free_form_real(real);
}

void report_best_solution(ReportSink& sink, const RoundSequence& order, double cost, int nv,
                          long evaluations) {
  const std::string margin(7, ' ');
  const std::string rule = margin + "##################################################";
  const std::string empty_row = margin + "#                                                #";
  sink.both(" THE BEST SOLUTION FOUND IS :");
  sink.both("");
  sink.both(rule);
  sink.both(empty_row);
  sink.both(margin + "#                USABLE SOLUTION                 #");
  sink.both(empty_row);
  sink.both(rule);
  sink.both(margin + "# COST                     =" + format_e14(cost) + margin + "#");
  sink.both(margin + "# ---------------------------------------------- #");
  for (int i = 1; i <= nv; ++i) {
    sink.both(margin + "# DESIGN VARIABLE (" + format_int(i, 3) + ")        =" +
              format_int(order.round[static_cast<std::size_t>(i - 1)], 5) + std::string(12, ' ') + "#");
  }
  sink.both(empty_row);
  sink.both(rule);
  sink.both(FreeFormLine().text("NUMBER OF POSSIBILITIES = ").text(possibilities_text(nv)).str());
  sink.both(FreeFormLine().text("NUMBER OF FUNCTION EVALUATIONS = ").whole(evaluations).str());
}

void write_cpu_time(ReportSink& sink, double start, double end) {
  sink.to_report(FreeFormLine().text("CPU TIME =").real(end - start).str());
  sink.to_out(FreeFormLine().text("CPU TIME =").real(end - start).real(start).real(end).str());
}

void write_round_codes(std::ostream& report, const RoundSequence& order, const PairingTable& table) {
  for (int p = 0; p < table.nv; ++p) {
    const auto r = static_cast<std::size_t>(order.round[static_cast<std::size_t>(p)] - 1);
    FreeFormLine line;
    for (int k = 0; k < table.m; ++k) {
      line.whole(10LL * table.first[r][static_cast<std::size_t>(k)] +
                 table.second[r][static_cast<std::size_t>(k)]);
    }
    report << line.str() << '\n';
  }
}

void write_alternation_diagnostics(std::ostream& report, const RoundSequence& order,
                                   const PairingTable& table) {
  const int n = table.n_team_even;
  MarkTable marks;
  build_mark_table(order, table, marks);
  TeamCounts counts{};
  count_alternation_violations(table.mode, n, table.nv, marks, counts);
  report << FreeFormLine().text("ALTERNATION VIOLATION: ").str() << '\n';
  write_i5_lines(report, counts.data() + 1, n, 30);

  std::array<int, max_teams_with_dummy> row{};
  for (int p = 1; p <= table.nv; ++p) {
    for (int t = 1; t <= n; ++t) {
      row[static_cast<std::size_t>(t - 1)] =
          marks.mark[static_cast<std::size_t>(t)][static_cast<std::size_t>(p)];
    }
    write_i5_lines(report, row.data(), n, 30, "IND = ");
  }

  TeamCounts runs{};
  longest_runs(n, table.nv, marks, runs);
  report << FreeFormLine().text("CONSECTIVE NIGHTS: ").str() << '\n';
  write_i5_lines(report, runs.data() + 1, n, 30, "MAX = ");
}

}  // namespace quintora::optimiser
