// The shipped libraries drive the real parts.
#include "library/product_parts.h"

namespace qv {

Parts& LibraryParts() {
  static ProductParts parts;
  return parts;
}

}  // namespace qv
