#pragma once
// The plumbing of every hand-written COM object of the project, so that no
// object counts references or answers QueryInterface by hand:
// - ComObject: an object of its own, with one reference count;
// - ContainedComObject: an object of its own identity that lives inside
//   another (a connection point inside its control) and lends it its count;
// - ComMember: one interface of an object that serves several through
//   members, with IUnknown going to that object.
// Adopt and MakeComObject take over the first reference of a new object.

#include <windows.h>
#include <shlwapi.h>
#include <wrl/client.h>

#include <cstdint>
#include <new>
#include <utility>

namespace win32 {

// The owner of `raw`'s one reference. Not ComPtr::Attach: the MinGW-w64
// headers' Attach adds a reference of its own, which would then leak.
template <typename T>
Microsoft::WRL::ComPtr<T> Adopt(T* raw) noexcept {
  Microsoft::WRL::ComPtr<T> owner;
  *owner.GetAddressOf() = raw;
  return owner;
}

// A new T holding the one reference; empty when memory runs out. T's
// constructor must be reachable from here: classes with a private one call
// Adopt(new (std::nothrow) T(...)) from a factory function of their own.
template <typename T, typename... Args>
Microsoft::WRL::ComPtr<T> MakeComObject(Args&&... args) noexcept {
  return Adopt(new (std::nothrow) T(std::forward<Args>(args)...));
}

// True when both pointers reach the same COM object, told by the identity
// (IUnknown) each answers; two nulls are the same, a null and an object
// are not.
inline bool SameObject(IUnknown* first, IUnknown* second) noexcept {
  if (first == nullptr || second == nullptr) return first == second;
  Microsoft::WRL::ComPtr<IUnknown> firstIdentity, secondIdentity;
  return SUCCEEDED(first->QueryInterface(IID_PPV_ARGS(&firstIdentity))) &&
         SUCCEEDED(second->QueryInterface(IID_PPV_ARGS(&secondIdentity))) &&
         firstIdentity.Get() == secondIdentity.Get();  // MinGW's ComPtr has no ==: it would compare as booleans
}

// QueryInterface over a QITAB. By default the table lists `Interfaces` in
// order, the first one answering IUnknown. An object that answers more
// IIDs through one of its bases (IDispatch through a dual interface,
// IPersist through IPersistStreamInit) declares its own
//   static const QITAB* InterfaceTable();
// built with QITABENT and QITABENTMULTI.
template <typename Derived, typename... Interfaces>
class ComInterfaces : public Interfaces... {
 public:
  IFACEMETHODIMP QueryInterface(REFIID iid, void** object) override {
    return QISearch(static_cast<Derived*>(this), Derived::InterfaceTable(), iid, object);
  }

  static const QITAB* InterfaceTable() noexcept {
    static const QITAB table[] = {{&__uuidof(Interfaces), OFFSETOFCLASS(Interfaces, Derived)}..., {nullptr, 0}};
    return table;
  }

 protected:
  ComInterfaces() noexcept = default;
  ~ComInterfaces() = default;
};

// Starts with one reference, its creator's. The last Release deletes the
// object; a Derived that must not be deleted (an object on a test's stack)
// hides OnFinalRelease with one that does nothing.
template <typename Derived, typename... Interfaces>
class ComObject : public ComInterfaces<Derived, Interfaces...> {
 public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  IFACEMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  IFACEMETHODIMP_(ULONG) Release() override {
    const LONG remaining = InterlockedDecrement(&references_);
    if (remaining == 0) {
      // What the object calls while it goes may take and drop references
      // of its own (a keep-alive, a sink's release); from here they never
      // reach 0 again, so the object goes once.
      references_ = 1;
      static_cast<Derived*>(this)->OnFinalRelease();
    }
    return static_cast<ULONG>(remaining);
  }

 protected:
  ComObject() noexcept = default;
  virtual ~ComObject() = default;

  void OnFinalRelease() noexcept { delete this; }
  // Test seam, not used by the program: a test object tells how many
  // references its callers left behind.
  ULONG ReferenceCountForTests() const noexcept { return static_cast<ULONG>(references_); }

 private:
  LONG references_ = 1;
};

// Lives inside `container` and as long: references go to the container,
// while QueryInterface answers for this object's own identity.
template <typename Derived, typename... Interfaces>
class ContainedComObject : public ComInterfaces<Derived, Interfaces...> {
 public:
  explicit ContainedComObject(IUnknown& container) noexcept : container_(container) {}
  ContainedComObject(const ContainedComObject&) = delete;
  ContainedComObject& operator=(const ContainedComObject&) = delete;

  IFACEMETHODIMP_(ULONG) AddRef() override { return container_.AddRef(); }
  IFACEMETHODIMP_(ULONG) Release() override { return container_.Release(); }

 protected:
  ~ContainedComObject() = default;
  IUnknown& Container() const noexcept { return container_; }

 private:
  IUnknown& container_;  // borrowed: it holds this object
};

// One interface of `OuterObject`, which holds this member: all three
// IUnknown methods go to the outer object's Identity(), so the member
// shares its identity and its count. The outer object answers
// QueryInterface for every member it holds, from an InterfaceTable of
// MemberEntry rows.
template <typename Interface, typename OuterObject>
class ComMember : public Interface {
 public:
  explicit ComMember(OuterObject& outer) noexcept : outer_(outer) {}
  ComMember(const ComMember&) = delete;
  ComMember& operator=(const ComMember&) = delete;

  IFACEMETHODIMP QueryInterface(REFIID iid, void** object) override { return Unknown().QueryInterface(iid, object); }
  IFACEMETHODIMP_(ULONG) AddRef() override { return Unknown().AddRef(); }
  IFACEMETHODIMP_(ULONG) Release() override { return Unknown().Release(); }

 protected:
  ~ComMember() = default;
  OuterObject& Outer() const noexcept { return outer_; }

 private:
  IUnknown& Unknown() const noexcept { return outer_.Identity(); }

  OuterObject& outer_;  // borrowed: it holds this member
};

// The QITAB row that answers `Interface` with the member `member` of Outer,
// where QITABENT answers with a base class:
//   MemberEntry<IOleInPlaceSite>(&ControlSite::inPlaceSite_)
// Like OFFSETOFCLASS, it places an object at a made-up address and never
// touches it.
template <typename Interface, typename Outer, typename Member>
QITAB MemberEntry(Member Outer::*member) noexcept {
  constexpr std::uintptr_t kPlace = 0x1000;
  const auto* outer = reinterpret_cast<const Outer*>(kPlace);
  const Interface* served = &(outer->*member);
  return {&__uuidof(Interface), static_cast<int>(reinterpret_cast<std::uintptr_t>(served) - kPlace)};
}

}  // namespace win32
