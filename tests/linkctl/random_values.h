#pragma once
// Random input for the control tests, drawn from a seed so that a run
// repeats exactly: numbers, strings, VARIANTs of every type (by reference
// too), and a property bag whose every answer is drawn afresh.

#include "control_harness.h"

#include <cstdint>
#include <deque>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace tessarel::test {

// Draws straight from mt19937, whose output the standard fixes, so a seed
// gives the same run with any library.
class Random {
 public:
  explicit Random(std::uint32_t seed) : engine_(seed) {}
  std::uint32_t Bits() { return static_cast<std::uint32_t>(engine_()); }
  std::uint32_t Below(std::size_t count) { return count == 0 ? 0 : Bits() % static_cast<std::uint32_t>(count); }
  bool OneIn(std::uint32_t count) { return Below(count) == 0; }
  template <typename T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(N)];
  }

 private:
  std::mt19937 engine_;
};

// An automation object that is not a font. It counts its references, so a
// test sees whether the control lets go of every one it took.
class PlainObject final : public TestObject<IDispatch, Lifetime::OnStack> {
 public:
  IFACEMETHODIMP GetTypeInfoCount(UINT* count) override;
  IFACEMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  IFACEMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
  IFACEMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }
};

// The type a property takes: a string, a 32-bit number, or a font.
enum class Kind { String, Number, Font };

// Draws values. The objects it hands out are the plain object and the
// fonts, both borrowed (they outlive this). A by-reference VARIANT points
// into storage kept here until Clear(), which the caller calls once the
// call that used the values has returned.
class RandomValues {
 public:
  RandomValues(Random& random, PlainObject& plain, const std::vector<ComPtr<IFont>>& fonts)
      : random_(random), plain_(plain), fonts_(fonts) {}

  // Lengths up to 70000, nulls and lone surrogates among the characters.
  // The caller owns the string.
  BSTR String();
  LONG Long();
  // A VARIANT of any type; the caller clears it.
  void Any(VARIANT& value);
  // A value of kind's type, most of them valid; the caller clears it.
  void Fitting(Kind kind, VARIANT& value);
  void Clear();

 private:
  // Borrowed: the font list and the plain object outlive this.
  IDispatch* Font();    // one of the fonts; null when there are none
  IDispatch* Object();  // a font or the plain object

  Random& random_;
  PlainObject& plain_;
  const std::vector<ComPtr<IFont>>& fonts_;
  std::deque<LONG> longs_;
  std::deque<UniqueBstr> strings_;
  std::deque<UniqueVariant> variants_;
  std::deque<IDispatch*> dispatches_;  // borrowed from plain_ and fonts_
};

// A property bag whose answer to each read is drawn afresh: a missing
// entry, an error (leaving the caller's VARIANT as it came, or emptied), or
// a value of any type or of the entry's kind. It holds each entry under a
// random spelling of its name and compares names either exactly or without
// regard to case. It records every answer it gave.
class RandomBag final : public TestObject<IPropertyBag, Lifetime::OnStack> {
 public:
  struct Entry {
    const wchar_t* name;
    Kind kind;
  };
  struct Answer {
    std::size_t entry;  // index into the entries
    HRESULT result;
    UniqueVariant value;  // what the bag handed out when result succeeded
  };

  // entries are borrowed and outlive the bag.
  RandomBag(Random& random, RandomValues& values, std::span<const Entry> entries);

  IFACEMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override;
  IFACEMETHODIMP Write(LPCOLESTR, VARIANT*) override { return E_NOTIMPL; }

  int badReads = 0;      // null name or VARIANT
  int unknownNames = 0;  // names of no entry
  std::vector<Answer> answers;
  // A host that lets go inside Read: the read numbered releaseAt (0 the
  // first) releases this before it answers.
  ComPtr<IUnknown> releaseOnRead;
  std::size_t releaseAt = 0;

 private:
  Random& random_;
  RandomValues& values_;
  std::span<const Entry> entries_;
  std::vector<std::wstring> spellings_;
  bool exactNames_ = false;
  std::size_t reads_ = 0;
};

}  // namespace tessarel::test
