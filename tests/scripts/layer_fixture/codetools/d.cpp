#include "kit/a.h"
#include "codetools/d.h"
#include "win/e.h"
