#pragma once
// The wheel where no hook of the main window sees it: the code window in SDI mode and the floating
// tool windows, taken from the queue at each tick.
namespace qv {

void WheelPoll();

}  // namespace qv
