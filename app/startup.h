#pragma once
#include "app/deliverable.h"

namespace zel {

// The whole life of a deliverable's process: hand over to a running copy, or create the
// main window and run until it is closed. Returns the exit code.
int RunDeliverable(const Deliverable& deliverable);

} // namespace zel
