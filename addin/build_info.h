#pragma once
// What distinguishes the two libraries built from this code: each library's definition (in
// library/) declares its build as the library loads.
#include <windows.h>

namespace qv {

struct BuildInfo {
  bool IsVBA;                 // the VBA editor of Office hosts, else the Visual Basic 6.0 IDE
  const wchar_t* ProgId;
  CLSID Clsid;
  const wchar_t* HostKey;     // the host's key under HKEY_CURRENT_USER; its add-ins are listed below it
  const wchar_t* AppTitle;    // caption of the add-in's message boxes
  DWORD CommandLineSafe;      // may be loaded when the host starts from the command line
};

// The build declared; using it before a declaration is a fault of the library's definition.
const BuildInfo& Build();
// Once, from the definition of the library, while the library loads; gives true.
bool DeclareBuild(const BuildInfo& info);

}  // namespace qv
