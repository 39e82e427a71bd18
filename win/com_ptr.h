#pragma once
// The one owning pointer to a COM object: it holds one reference and releases it once.
#include <windows.h>

#include <unknwn.h>

#include <cstddef>
#include <type_traits>
#include <utility>

namespace qv {

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Shares `object`: adds a reference of its own.
  ComPtr(T* object) : object_(object) { AddRef(); }
  ComPtr(const ComPtr& other) : ComPtr(other.object_) {}
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  ComPtr(const ComPtr<U>& other) : ComPtr(other.Get()) {}
  ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }
  ~ComPtr() { Reset(); }

  // Takes over the reference the caller holds (a new object's first, or an out-parameter's).
  static ComPtr Adopt(T* object) {
    ComPtr owner;
    owner.object_ = object;
    return owner;
  }

  T* Get() const { return object_; }
  T* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

  // For an out-parameter that hands over a reference: whatever was held goes first.
  T** ReleaseAndGetAddressOf() {
    Reset();
    return &object_;
  }
  void Reset() {
    if (T* held = std::exchange(object_, nullptr)) held->Release();
  }
  // Gives the reference to the caller.
  T* Detach() { return std::exchange(object_, nullptr); }

  // QueryInterface; empty when the object does not answer U.
  template <class U>
  ComPtr<U> As() const {
    ComPtr<U> other;
    if (object_) object_->QueryInterface(__uuidof(U), reinterpret_cast<void**>(other.ReleaseAndGetAddressOf()));
    return other;
  }

  friend bool operator==(const ComPtr& a, const ComPtr& b) { return a.object_ == b.object_; }

 private:
  void AddRef() const {
    if (object_) object_->AddRef();
  }

  T* object_ = nullptr;
};

}  // namespace qv
