#include "addin/addin_state.h"

namespace qv {

AddinState& State() {
  static AddinState state;
  return state;
}

LoadTables& Tables() {
  static LoadTables tables;
  return tables;
}

}  // namespace qv
