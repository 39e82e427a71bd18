#include "tests/kit/g.h"
#include "addin/b.h"
