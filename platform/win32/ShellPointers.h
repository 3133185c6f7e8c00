// Owners for what the shell hands out: item identifier lists, allocated by
// the shell's allocator and freed with CoTaskMemFree, and COM interfaces,
// released when their owner goes.
#pragma once
#include <utility>

#include <windows.h>
// After <windows.h>: these need it.
#include <objbase.h>
#include <shlobj.h>

namespace platform::win32 {

class ItemIdList {
 public:
  ItemIdList() = default;
  explicit ItemIdList(LPITEMIDLIST list) : list_(list) {}
  ~ItemIdList() { Reset(); }
  ItemIdList(ItemIdList&& other) noexcept : list_(std::exchange(other.list_, nullptr)) {}
  ItemIdList& operator=(ItemIdList&& other) noexcept {
    if (this != &other) {
      Reset();
      list_ = std::exchange(other.list_, nullptr);
    }
    return *this;
  }
  ItemIdList(const ItemIdList&) = delete;
  ItemIdList& operator=(const ItemIdList&) = delete;

  LPITEMIDLIST Get() const { return list_; }
  // For calls that hand out a new list.
  LPITEMIDLIST* Receive() {
    Reset();
    return &list_;
  }
  void Reset() {
    if (list_) ::CoTaskMemFree(list_);
    list_ = nullptr;
  }
  // True for the desktop's empty list.
  bool IsEmpty() const { return !list_ || list_->mkid.cb == 0; }

 private:
  LPITEMIDLIST list_ = nullptr;
};

template <class Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  Interface* Get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // For calls that hand out a new interface.
  Interface** Receive() {
    Reset();
    return &pointer_;
  }
  void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }
  void Reset() {
    if (pointer_) pointer_->Release();
    pointer_ = nullptr;
  }
  // The same object through another of its interfaces; empty when it has none.
  template <class Other>
  ComPtr<Other> As(REFIID id) const {
    ComPtr<Other> other;
    if (pointer_) pointer_->QueryInterface(id, other.ReceiveVoid());
    return other;
  }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace platform::win32
