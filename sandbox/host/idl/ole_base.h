#pragma once
// Included by the header widl generates from host.idl in place of ole_base.idl's stand-in types.
#include <windows.h>

#include <oaidl.h>
#include <ocidl.h>
