#pragma once
// The main loop: the host raises no events from its code editor, so a timer polls it on the host's
// thread.
#include "library/parts.h"

namespace qv {

// The work of one timer tick on `parts`; nothing while a tick is running already.
void TimerTick(Parts& parts);

}  // namespace qv
