#pragma once
// Sequences that work on host windows and objects (command-bar building, tear-down) skip a failing
// step without a word and go on with the next.

namespace qv {

template <class Step>
void Quietly(Step&& run) noexcept {
  try {
    run();
  } catch (...) {  // the step is skipped
  }
}

}  // namespace qv
