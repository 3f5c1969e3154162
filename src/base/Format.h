#pragma once
// One printf-compatible formatter for the program's UTF-16 texts.
//
// Supports flags "-+ #0", width and precision (also "*"), the length modifiers hh, h, l, ll,
// and the conversions d i u x X o c s f F e E g G %. Integers behave as the C library treats
// an int argument: %d prints 32 bits signed, %u/%x/%X 32 bits unsigned, unless "ll" is given.
// A missing or mismatched argument prints as 0 or as an empty text; it never crashes.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace base {

class FormatArg {
 public:
  enum class Kind { Integer, Real, Text };

  template <typename T>
  requires(std::is_integral_v<T> && !std::is_same_v<T, bool>) FormatArg(T v)
      : m_kind(Kind::Integer), m_integer(static_cast<int64_t>(v)) {}
  FormatArg(bool v) : m_kind(Kind::Integer), m_integer(v ? 1 : 0) {}
  FormatArg(double v) : m_kind(Kind::Real), m_real(v) {}
  FormatArg(float v) : m_kind(Kind::Real), m_real(v) {}
  FormatArg(std::u16string_view v) : m_kind(Kind::Text), m_text(v) {}
  FormatArg(const std::u16string& v) : m_kind(Kind::Text), m_text(v) {}
  FormatArg(const char16_t* v) : m_kind(Kind::Text), m_text(v ? v : u"") {}

  Kind kind() const { return m_kind; }
  int64_t integer() const { return m_integer; }
  double real() const { return m_real; }
  std::u16string_view text() const { return m_text; }

 private:
  Kind m_kind;
  int64_t m_integer = 0;
  double m_real = 0.0;
  std::u16string_view m_text;
};

std::u16string FormatArgs(std::u16string_view format, std::span<const FormatArg> args);

template <typename... Args>
std::u16string Format(std::u16string_view format, const Args&... args) {
  if constexpr (sizeof...(Args) == 0) {
    return FormatArgs(format, {});
  } else {
    const FormatArg list[] = {FormatArg(args)...};
    return FormatArgs(format, list);
  }
}

}  // namespace base
