#include "support/fake_window_system.h"
