#include "base/Format.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

namespace base {
namespace {

struct Directive {
  std::string flags;
  int width = -1;
  int precision = -1;
  bool leftAlign = false;
  std::string length;
  char conversion = 0;
};

std::u16string Widen(const char* text, int n) {
  std::u16string out;
  out.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) out.push_back(static_cast<unsigned char>(text[i]));
  return out;
}

// Numbers go through the C library itself so the output is exactly printf's.
std::u16string FormatNumber(const Directive& directive, const FormatArg* arg) {
  std::string fmt = "%" + directive.flags;
  if (directive.width >= 0) fmt += std::to_string(directive.width);
  if (directive.precision >= 0) {
    // Two appends: GCC 12 at -O3 (MinGW) warns falsely about "." + std::string.
    fmt += '.';
    fmt += std::to_string(directive.precision);
  }
  char buffer[4200];  // widths and precisions are capped at 4096
  int n = 0;
  const bool isReal = directive.conversion == 'f' || directive.conversion == 'F' ||
                      directive.conversion == 'e' || directive.conversion == 'E' ||
                      directive.conversion == 'g' || directive.conversion == 'G';
  if (isReal) {
    double v = 0.0;
    if (arg && arg->kind() == FormatArg::Kind::Real) v = arg->real();
    if (arg && arg->kind() == FormatArg::Kind::Integer) v = static_cast<double>(arg->integer());
    fmt += directive.conversion;
    n = std::snprintf(buffer, sizeof buffer, fmt.c_str(), v);
  } else {
    int64_t raw = (arg && arg->kind() == FormatArg::Kind::Integer) ? arg->integer() : 0;
    const bool isSigned = directive.conversion == 'd' || directive.conversion == 'i';
    if (directive.length == "ll") {
      fmt += "ll";
      fmt += directive.conversion;
      if (isSigned) {
        n = std::snprintf(buffer, sizeof buffer, fmt.c_str(), static_cast<long long>(raw));
      } else {
        n = std::snprintf(buffer, sizeof buffer, fmt.c_str(), static_cast<unsigned long long>(raw));
      }
    } else {
      uint32_t bits = static_cast<uint32_t>(raw);
      if (directive.length == "h") bits &= 0xFFFF;
      if (directive.length == "hh") bits &= 0xFF;
      fmt += directive.conversion;
      if (isSigned) {
        int32_t value = static_cast<int32_t>(bits);
        if (directive.length == "h") value = static_cast<int16_t>(bits);
        if (directive.length == "hh") value = static_cast<int8_t>(bits);
        n = std::snprintf(buffer, sizeof buffer, fmt.c_str(), static_cast<int>(value));
      } else {
        n = std::snprintf(buffer, sizeof buffer, fmt.c_str(), static_cast<unsigned>(bits));
      }
    }
  }
  if (n < 0) return {};
  if (n >= static_cast<int>(sizeof buffer)) n = static_cast<int>(sizeof buffer) - 1;
  return Widen(buffer, n);
}

std::u16string Pad(std::u16string body, const Directive& directive) {
  if (directive.width > 0 && body.size() < static_cast<size_t>(directive.width)) {
    const std::u16string fill(static_cast<size_t>(directive.width) - body.size(), u' ');
    body = directive.leftAlign ? body + fill : fill + body;
  }
  return body;
}

// Hands out the arguments in order; a missing one is nullptr.
class ArgCursor {
 public:
  explicit ArgCursor(std::span<const FormatArg> args) : m_args(args) {}
  const FormatArg* Take() { return m_next < m_args.size() ? &m_args[m_next++] : nullptr; }
  // A "*" width or precision: an integer argument, else 0.
  int TakeInt() {
    const FormatArg* a = Take();
    return (a && a->kind() == FormatArg::Kind::Integer) ? static_cast<int>(a->integer()) : 0;
  }

 private:
  std::span<const FormatArg> m_args;
  size_t m_next = 0;
};

bool IsFlag(char16_t c) {
  return c == u'-' || c == u'+' || c == u' ' || c == u'#' || c == u'0';
}

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// Digits at `i`, capped at 4096 so no width or precision can ask for more than the buffer.
int ParseCount(std::u16string_view format, size_t& i, int start) {
  int value = start;
  while (i < format.size() && IsDigit(format[i])) {
    value = std::min(value * 10 + (format[i] - u'0'), 4096);
    ++i;
  }
  return value;
}

// Flags, width, precision and length modifiers after a "%", up to the conversion character;
// `i` is left on the conversion (or at the end of the format).
Directive ParseDirective(std::u16string_view format, size_t& i, ArgCursor& args) {
  Directive directive;
  while (i < format.size() && IsFlag(format[i])) {
    if (format[i] == u'-') directive.leftAlign = true;
    directive.flags.push_back(static_cast<char>(format[i]));
    ++i;
  }
  if (i < format.size() && format[i] == u'*') {
    directive.width = args.TakeInt();
    if (directive.width < 0) {
      directive.leftAlign = true;
      directive.flags.push_back('-');
      directive.width = -directive.width;
    }
    ++i;
  } else if (i < format.size() && IsDigit(format[i])) {
    directive.width = ParseCount(format, i, 0);
  }
  if (i < format.size() && format[i] == u'.') {
    ++i;
    if (i < format.size() && format[i] == u'*') {
      directive.precision = args.TakeInt();
      ++i;
    } else {
      directive.precision = ParseCount(format, i, 0);
    }
  }
  while (i < format.size() && (format[i] == u'h' || format[i] == u'l')) {
    directive.length.push_back(static_cast<char>(format[i]));
    ++i;
  }
  return directive;
}

std::u16string FormatCharacter(const Directive& directive, const FormatArg* arg) {
  std::u16string body;
  if (arg && arg->kind() == FormatArg::Kind::Integer) {
    body.push_back(static_cast<char16_t>(arg->integer()));
  }
  return Pad(std::move(body), directive);
}

std::u16string FormatText(const Directive& directive, const FormatArg* arg) {
  std::u16string body;
  if (arg && arg->kind() == FormatArg::Kind::Text) body = std::u16string(arg->text());
  if (directive.precision >= 0 && body.size() > static_cast<size_t>(directive.precision)) {
    body.resize(static_cast<size_t>(directive.precision));
  }
  return Pad(std::move(body), directive);
}

bool IsNumberConversion(char c) {
  constexpr std::string_view kNumbers = "diuxXofFeEgG";
  return c != 0 && kNumbers.find(c) != std::string_view::npos;
}

}  // namespace

std::u16string FormatArgs(std::u16string_view format, std::span<const FormatArg> list) {
  std::u16string out;
  out.reserve(format.size() + 16);
  ArgCursor args(list);
  size_t i = 0;
  while (i < format.size()) {
    if (format[i] != u'%') {
      out.push_back(format[i++]);
      continue;
    }
    const size_t start = i++;
    Directive directive = ParseDirective(format, i, args);
    if (i >= format.size()) {
      out.append(format.substr(start));  // a lone trailing "%" stays as it is
      break;
    }
    directive.conversion = static_cast<char>(format[i] < 0x80 ? format[i] : u'?');
    ++i;
    if (directive.conversion == '%') {
      out.push_back(u'%');
    } else if (IsNumberConversion(directive.conversion)) {
      out += FormatNumber(directive, args.Take());
    } else if (directive.conversion == 'c') {
      out += FormatCharacter(directive, args.Take());
    } else if (directive.conversion == 's') {
      out += FormatText(directive, args.Take());
    } else {
      out.append(format.substr(start, i - start));  // unknown conversions are copied
    }
  }
  return out;
}

}  // namespace base
