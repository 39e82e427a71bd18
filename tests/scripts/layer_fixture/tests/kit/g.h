#pragma once
#include "installer/i.h"
#include "sandbox/ui/h.h"
