#pragma once
// The owner of a kernel handle: it closes the handle once, with the function its traits name, when
// it goes. Move-only; an owner of nothing (the call failed, or moved from) closes nothing.
#include <windows.h>

#include <utility>

namespace qv {

template <class Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = other.release();
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Close(); }

  bool valid() const { return handle_ != Traits::Invalid(); }
  Handle get() const { return handle_; }
  Handle release() { return std::exchange(handle_, Traits::Invalid()); }
  // Closes it now. False when closing failed: a file's last write can fail only here.
  bool Close() { return !valid() || Traits::Close(release()); }

 private:
  Handle handle_ = Traits::Invalid();
};

// CreateFileW: INVALID_HANDLE_VALUE when it fails.
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Close(Handle handle) { return CloseHandle(handle) != FALSE; }
};

// FindFirstFileW: INVALID_HANDLE_VALUE when it fails; closed with FindClose.
struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Close(Handle handle) { return FindClose(handle) != FALSE; }
};

// Processes, threads and events: no handle (null) when the call fails.
struct KernelObjectTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle handle) { return CloseHandle(handle) != FALSE; }
};

using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueFind = UniqueHandle<FindHandleTraits>;
using UniqueObject = UniqueHandle<KernelObjectTraits>;

}  // namespace qv
