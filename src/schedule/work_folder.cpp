#include "schedule/work_folder.h"

#include "optimiser/file_names.h"

namespace quintora::schedule {

bool WorkFolder::create() {
  return folder_.create("quintora-run-",
                        {optimiser::file::order, optimiser::file::input, optimiser::file::report});
}

}  // namespace quintora::schedule
