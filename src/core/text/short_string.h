#pragma once

// A stored text field: one length byte, then N character bytes. Files written by earlier
// versions carry leftovers past the length; they are kept so that a file read and written
// again comes out byte for byte the same.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kelmora {

template <std::size_t N>
class ShortString {
  static_assert(N > 0 && N <= 255, "the length must fit its byte");

 public:
  static constexpr std::size_t kCapacity = N;
  static constexpr std::size_t kSize = N + 1;  // bytes in a record
  using Bytes = std::array<std::uint8_t, kSize>;

  constexpr ShortString() = default;
  constexpr explicit ShortString(std::string_view text) { assign(text); }

  static ShortString fromBytes(const std::uint8_t* raw) {
    ShortString s;
    std::copy_n(raw, kSize, s.bytes_.begin());
    return s;
  }

  // Longer texts are cut to the capacity; the bytes past the new length keep what they held.
  constexpr void assign(std::string_view text) {
    const std::size_t n = std::min(text.size(), N);
    bytes_[0] = static_cast<std::uint8_t>(n);
    for (std::size_t i = 0; i < n; ++i)
      bytes_[i + 1] = static_cast<std::uint8_t>(text[i]);
  }

  // A damaged length byte larger than the capacity reads as the whole field, never beyond it.
  constexpr std::size_t size() const { return std::min<std::size_t>(bytes_[0], N); }
  constexpr bool empty() const { return size() == 0; }

  std::string_view view() const {
    return {reinterpret_cast<const char*>(bytes_.data() + 1), size()};
  }
  std::string str() const { return std::string(view()); }

  const Bytes& bytes() const { return bytes_; }

  friend bool operator==(const ShortString& s, std::string_view text) { return s.view() == text; }
  friend bool operator==(const ShortString& a, const ShortString& b) {
    return a.bytes_ == b.bytes_;
  }

 private:
  Bytes bytes_{};
};

}  // namespace kelmora
