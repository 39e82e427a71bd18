#pragma once
#include "dialogs/j.h"
#include "fuzz/k.h"
