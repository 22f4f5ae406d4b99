#include "optimiser/population.h"

#include "optimiser/report_fields.h"

namespace quintora::optimiser {

double stored_cost(double cost) {
  double value = 0.0;
  // A cost that cannot be written as the field reads back as nothing usable;
  // costs are sums of squares of small counts, so this is not reached.
  if (!parse_e14(format_e14(cost), value)) return cost;
  return value;
}

}  // namespace quintora::optimiser
