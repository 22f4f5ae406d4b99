#include "schedule/schedule_command.h"
