// Fuzzes the force rules: the input is a stream of user actions on the main
// window (typing, list picks, side switches, Go); every action must leave the
// window and the record consistent.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "../force_invariants.h"

namespace {

using namespace zenthra;
using testing::FakeForceWindow;

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "broken: %s\n", what.c_str());
  __builtin_trap();
}

// Reads bytes off the front of the input; past its end everything is zero.
class ActionReader {
 public:
  ActionReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool more() const { return next_ < size_; }
  std::uint8_t byte() { return next_ < size_ ? data_[next_++] : 0; }

  // A short text of characters that matter to number reading, plus any byte.
  std::wstring text() {
    static constexpr wchar_t kChars[] = L"0123456789-+.,eE \t";
    const std::size_t length = byte() % 8;
    std::wstring text;
    for (std::size_t i = 0; i < length; ++i) {
      const std::uint8_t b = byte();
      text += b < 0xC0 ? kChars[b % (sizeof(kChars) / sizeof(wchar_t) - 1)] : static_cast<wchar_t>(b);
    }
    return text;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t next_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ActionReader input(data, size);
  FakeForceWindow window;
  if (input.byte() & 1) window.separator = L",";

  while (input.more()) {
    const std::uint8_t action = input.byte();
    const ForcePower power = PowerTable[input.byte() % kPowerCount].power;
    switch (action % 5) {
      case 0:
      case 1: {
        std::wstring text = input.text();
        if (window.Enabled(power) && text != window.text(power)) window.Type(power, text);
        break;
      }
      case 2:
        if (window.Enabled(power)) window.Pick(power, std::wstring(L"0") + static_cast<wchar_t>(L'0' + action % 4));
        break;
      case 3:
        if (action & 0x80)
          window.ChooseDark();
        else
          window.ChooseLight();
        break;
      case 4:
        cmdgo_Click(window);
        if (auto broken = testing::brokenLine(window); !broken.empty()) fail(broken);
        break;
    }
    if (auto broken = testing::brokenInvariant(window); !broken.empty()) fail(broken);
  }
  return 0;
}
