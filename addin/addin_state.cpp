#include "addin/addin_state.h"

#include "addin/command_bar_refs.h"

namespace qv {

AddinState& State() {
  static AddinState state;
  return state;
}

CommandBarRefs& Bars() {
  static CommandBarRefs bars;
  return bars;
}

LoadTables& Tables() {
  static LoadTables tables;
  return tables;
}

}  // namespace qv
