#include "win/failure_log.h"

#include <windows.h>

#include <exception>
#include <new>

#include "kit/vb_error.h"

namespace qv {
namespace {

FailureSink g_sink = nullptr;

std::wstring Widened(const char* text) {
  std::wstring wide;
  for (; text && *text; ++text) wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
  return wide;
}

// What the exception in flight says of itself.
std::wstring Described() {
  try {
    throw;
  } catch (const VbError& error) {
    return L"error " + std::to_wstring(error.number) + L": " + error.description;
  } catch (const std::exception& error) {
    return Widened(error.what());
  } catch (...) {
    return L"unknown exception";
  }
}

}  // namespace

void RecordFailure(std::wstring_view where, std::wstring_view what) noexcept {
  try {
    std::wstring line = L"Quorvane: ";
    line.append(where).append(L": ").append(what);
    if (g_sink) {
      g_sink(line);
    } else {
      line += L"\n";
      OutputDebugStringW(line.c_str());
    }
  } catch (const std::bad_alloc&) {
    OutputDebugStringW(L"Quorvane: a failure went unrecorded for lack of memory\n");
  }
}

void RecordCaughtException(std::wstring_view where) noexcept {
  try {
    RecordFailure(where, Described());
  } catch (...) {
    RecordFailure(where, L"unknown exception");
  }
}

void SetFailureSink(FailureSink sink) noexcept { g_sink = sink; }

}  // namespace qv
