#pragma once
// Busy keeps the timer's ticks out while a command reads and writes the code; the value from before
// comes back, so a command run inside a tick leaves the tick's own guard set.
#include "addin/session.h"

namespace qv {

class BusyHold {
 public:
  BusyHold() : busy_(CurrentSession().loop.Busy), previous_(busy_) { busy_ = true; }
  BusyHold(const BusyHold&) = delete;
  BusyHold& operator=(const BusyHold&) = delete;
  ~BusyHold() { busy_ = previous_; }

 private:
  bool& busy_;
  bool previous_;
};

}  // namespace qv
