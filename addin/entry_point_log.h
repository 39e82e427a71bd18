#pragma once
// Test builds of the libraries record each call of an entry point that is still waiting for its
// part, as "Name" or "Name(argument)" lines, and keep the failures the add-in caught and passed
// over. The test reads them through the exports QvEntryPointLog and QvFailureLog.
#include <windows.h>

namespace qv {

void RecordEntryPoint(const wchar_t* name);
void RecordEntryPoint(const wchar_t* name, long argument);
void RecordEntryPoint(const wchar_t* name, HWND window);

}  // namespace qv

extern "C" {
// The calls so far, one per line; the text stays valid until the next call.
const wchar_t* WINAPI QvEntryPointLog();
// The recorded failures so far, one per line; the text stays valid until the next failure.
const wchar_t* WINAPI QvFailureLog();
}
