#pragma once
#include "host/f.h"
#include "tests/kit/g.h"
#include "sandbox/ui/h.h"
