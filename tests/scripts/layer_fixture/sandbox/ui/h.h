#pragma once
#include <windows.h>
#include "host_idl.h"
#include "win/e.h"
#include "sandbox/model/m.h"
#include "codetools/d.h"
