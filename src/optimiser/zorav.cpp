#include "optimiser/zorav.h"

namespace quintora::optimiser {

ZoravResult ZORAV(const std::filesystem::path&, int, std::ostream&) {
  return {ZoravStatus::BadInput, "not built yet", 0};
}

}  // namespace quintora::optimiser
