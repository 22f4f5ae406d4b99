#include "optimiser/zorav.h"

#include <fstream>
#include <system_error>

#include "optimiser/exchange_files.h"
#include "optimiser/file_names.h"
#include "optimiser/random.h"
#include "optimiser/report.h"
#include "optimiser/report_fields.h"
#include "optimiser/search.h"

namespace quintora::optimiser {

namespace {

// The largest table takes about 40 kB; anything far beyond is not a table.
constexpr std::size_t input_size_limit = 1 << 20;

// A failure writes its message and the stop text, as the run-time's stop
// did, but returns to the caller instead of ending the process.
ZoravResult fail(std::ostream& out, ZoravStatus status, const std::string& message, long evaluations = 0) {
  out << FreeFormLine().text(message).str() << '\n';
  out << "Stop - Program terminated." << '\n';
  out.flush();
  return {status, message, evaluations};
}

// False when the file holds more than `limit` bytes or cannot be read.
bool read_all(std::ifstream& input, std::string& text, std::size_t limit) {
  text.assign(limit + 1, '\0');
  input.read(text.data(), static_cast<std::streamsize>(text.size()));
  const auto got = static_cast<std::size_t>(input.gcount());
  text.resize(got);
  return got <= limit && !input.bad();
}

}  // namespace

ZoravResult ZORAV(const std::filesystem::path& folder, int effort, std::ostream& out) {
  const double start_time = cpu_seconds();

  std::ifstream input(folder / file::input, std::ios::in | std::ios::binary);
  if (!input) return fail(out, ZoravStatus::InputMissing, "CANNOT FIND INPUT FILE: ZORAV.INP");
  std::ofstream report(folder / file::report, std::ios::out | std::ios::trunc);
  if (!report) return fail(out, ZoravStatus::ReportNotCreatable, "CANNOT CREATE OUTPUT FILE: ZORAV.OUT");
  // The population stores live in memory and cannot fail to be created.

  std::string text;
  if (!read_all(input, text, input_size_limit)) {
    return fail(out, ZoravStatus::BadInput,
                "BAD INPUT FILE " + std::string(file::input) + ": NOT READABLE OR LARGER THAN 1 MB");
  }
  input.close();
  const InputReadResult in = read_pairing_table(text);
  if (in.header_read) write_header_echo(report, in.header);
  if (in.status == InputStatus::TooManyRounds) return fail(out, ZoravStatus::TooManyRounds, in.message);
  for (int r = 0; r < in.rounds_read; ++r) write_round_echo(report, in.table, r);
  if (in.status != InputStatus::Ok) return fail(out, ZoravStatus::BadInput, in.message);

  const PairingTable& table = in.table;
  ReportSink sink(report, out);
  const SearchResult search = run_search(table, effort, sink);
  report_best_solution(sink, search.best_order, search.best_cost, table.nv, search.evaluations);

  const double end_time = cpu_seconds();
  write_cpu_time(sink, start_time, end_time);
  write_round_codes(report, search.best_order, table);
  report.flush();
  if (!report) {
    return fail(out, ZoravStatus::ReportNotWritable, "CANNOT WRITE OUTPUT FILE: ZORAV.OUT",
                search.evaluations);
  }

  const std::filesystem::path order_file = folder / file::order;
  if (!write_round_order(order_file, search.best_order, table.nv)) {
    return fail(out, ZoravStatus::OutputNotWritable, "CANNOT CREATE OUTPUT FILE: optimal.out",
                search.evaluations);
  }

  write_alternation_diagnostics(report, search.best_order, table);
  report.close();
  if (report.fail()) {
    // The order is written, but a run that could not finish its report is
    // not reported as a success, and leaves no order behind.
    std::error_code ignored;
    std::filesystem::remove(order_file, ignored);
    return fail(out, ZoravStatus::ReportNotWritable, "CANNOT WRITE OUTPUT FILE: ZORAV.OUT",
                search.evaluations);
  }
  out.flush();
  return {ZoravStatus::Ok, {}, search.evaluations};
}

}  // namespace quintora::optimiser
