#include "optimiser/zorav.h"

#include <fstream>
#include <sstream>
#include <system_error>

#include "base/atomic_file.h"
#include "base/file_reader.h"
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

}  // namespace

ZoravResult ZORAV(const std::filesystem::path& folder, int effort, std::ostream& out) {
  const double start_time = cpu_seconds();

  // One byte past the limit tells a file that is too large from one that fits.
  std::string text;
  const base::ReadStatus read = base::read_file(folder / file::input, input_size_limit + 1, text);
  if (read == base::ReadStatus::CannotOpen)
    return fail(out, ZoravStatus::InputMissing, "CANNOT FIND INPUT FILE: ZORAV.INP");
  // The report is put in place as a whole when the run ends, however it ends.
  base::AtomicFile report_file;
  if (report_file.prepare(folder / file::report) != base::WriteStatus::Ok) {
    return fail(out, ZoravStatus::ReportNotCreatable, "CANNOT CREATE OUTPUT FILE: ZORAV.OUT");
  }
  std::ostringstream report;
  const auto put_report = [&] {
    return report_file.commit(base::with_platform_line_ends(report.str())) == base::WriteStatus::Ok;
  };
  // A stopped run leaves the report as far as it got.
  const auto stop = [&](ZoravStatus status, const std::string& message, long evaluations = 0) {
    put_report();
    return fail(out, status, message, evaluations);
  };
  // The population stores live in memory and cannot fail to be created.

  if (read != base::ReadStatus::Ok || text.size() > input_size_limit) {
    return stop(ZoravStatus::BadInput,
                "BAD INPUT FILE " + std::string(file::input) + ": NOT READABLE OR LARGER THAN 1 MB");
  }
  const InputReadResult in = read_pairing_table(text);
  if (in.header_read) write_header_echo(report, in.header);
  if (in.status == InputStatus::TooManyRounds) return stop(ZoravStatus::TooManyRounds, in.message);
  for (int r = 0; r < in.rounds_read; ++r) write_round_echo(report, in.table, r);
  if (in.status != InputStatus::Ok) return stop(ZoravStatus::BadInput, in.message);

  const PairingTable& table = in.table;
  ReportSink sink(report, out);
  const SearchResult search = run_search(table, effort, sink);
  report_best_solution(sink, search.best_order, search.best_cost, table.nv, search.evaluations);

  const double end_time = cpu_seconds();
  write_cpu_time(sink, start_time, end_time);
  write_round_codes(report, search.best_order, table);

  const std::filesystem::path order_file = folder / file::order;
  if (!write_round_order(order_file, search.best_order, table.nv)) {
    return stop(ZoravStatus::OutputNotWritable, "CANNOT CREATE OUTPUT FILE: optimal.out", search.evaluations);
  }
  write_alternation_diagnostics(report, search.best_order, table);
  if (!put_report()) {
    // A run that could not finish its report is not reported as a success,
    // and leaves no order behind.
    std::error_code ignored;
    std::filesystem::remove(order_file, ignored);
    return fail(out, ZoravStatus::ReportNotWritable, "CANNOT WRITE OUTPUT FILE: ZORAV.OUT",
                search.evaluations);
  }
  out.flush();
  return {ZoravStatus::Ok, {}, search.evaluations};
}

}  // namespace quintora::optimiser
