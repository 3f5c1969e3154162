#include "base/Format.h"

#include <cstdio>
#include <string>

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

}  // namespace

std::u16string FormatArgs(std::u16string_view format, std::span<const FormatArg> args) {
  std::u16string out;
  out.reserve(format.size() + 16);
  size_t next = 0;
  auto takeArg = [&]() -> const FormatArg* { return next < args.size() ? &args[next++] : nullptr; };
  auto takeInt = [&]() -> int {
    const FormatArg* a = takeArg();
    return (a && a->kind() == FormatArg::Kind::Integer) ? static_cast<int>(a->integer()) : 0;
  };

  size_t i = 0;
  while (i < format.size()) {
    const char16_t c = format[i];
    if (c != u'%') {
      out.push_back(c);
      ++i;
      continue;
    }
    const size_t start = i++;
    Directive directive;
    while (i < format.size() && (format[i] == u'-' || format[i] == u'+' || format[i] == u' ' ||
                                 format[i] == u'#' || format[i] == u'0')) {
      if (format[i] == u'-') directive.leftAlign = true;
      directive.flags.push_back(static_cast<char>(format[i]));
      ++i;
    }
    if (i < format.size() && format[i] == u'*') {
      directive.width = takeInt();
      if (directive.width < 0) {
        directive.leftAlign = true;
        directive.flags.push_back('-');
        directive.width = -directive.width;
      }
      ++i;
    } else {
      while (i < format.size() && format[i] >= u'0' && format[i] <= u'9') {
        directive.width = (directive.width < 0 ? 0 : directive.width) * 10 + (format[i] - u'0');
        if (directive.width > 4096) directive.width = 4096;
        ++i;
      }
    }
    if (i < format.size() && format[i] == u'.') {
      ++i;
      directive.precision = 0;
      if (i < format.size() && format[i] == u'*') {
        directive.precision = takeInt();
        ++i;
      } else {
        while (i < format.size() && format[i] >= u'0' && format[i] <= u'9') {
          directive.precision = directive.precision * 10 + (format[i] - u'0');
          if (directive.precision > 4096) directive.precision = 4096;
          ++i;
        }
      }
    }
    while (i < format.size() && (format[i] == u'h' || format[i] == u'l')) {
      directive.length.push_back(static_cast<char>(format[i]));
      ++i;
    }
    if (i >= format.size()) {
      out.append(format.substr(start));  // a lone trailing "%" stays as it is
      break;
    }
    directive.conversion = static_cast<char>(format[i] < 0x80 ? format[i] : u'?');
    ++i;
    switch (directive.conversion) {
      case '%':
        out.push_back(u'%');
        break;
      case 'd':
      case 'i':
      case 'u':
      case 'x':
      case 'X':
      case 'o':
      case 'f':
      case 'F':
      case 'e':
      case 'E':
      case 'g':
      case 'G':
        out += FormatNumber(directive, takeArg());
        break;
      case 'c': {
        const FormatArg* a = takeArg();
        std::u16string body;
        if (a && a->kind() == FormatArg::Kind::Integer)
          body.push_back(static_cast<char16_t>(a->integer()));
        out += Pad(std::move(body), directive);
        break;
      }
      case 's': {
        const FormatArg* a = takeArg();
        std::u16string body;
        if (a && a->kind() == FormatArg::Kind::Text) body = std::u16string(a->text());
        if (directive.precision >= 0 && body.size() > static_cast<size_t>(directive.precision)) {
          body.resize(static_cast<size_t>(directive.precision));
        }
        out += Pad(std::move(body), directive);
        break;
      }
      default:
        out.append(format.substr(start, i - start));  // unknown conversions are copied
        break;
    }
  }
  return out;
}

}  // namespace base
