#pragma once
#include <string>
#include "kit/c.h"
#include "addin/b.h"
