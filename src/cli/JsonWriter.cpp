#include "cli/JsonWriter.h"

#include "base/Text.h"

JsonWriter JsonWriter::Bool(bool value) {
  JsonWriter j;
  j.m_kind = Kind::Bool;
  j.m_bool = value;
  return j;
}

JsonWriter JsonWriter::Int(int64_t value) {
  JsonWriter j;
  j.m_kind = Kind::Int;
  j.m_int = value;
  return j;
}

JsonWriter JsonWriter::Text(std::string_view value) {
  JsonWriter j;
  j.m_kind = Kind::Text;
  j.m_text = value;
  return j;
}

JsonWriter JsonWriter::Text(std::u16string_view value) {
  return Text(base::ToUtf8(value));
}

JsonWriter JsonWriter::Array() {
  JsonWriter j;
  j.m_kind = Kind::Array;
  return j;
}

JsonWriter JsonWriter::Object() {
  JsonWriter j;
  j.m_kind = Kind::Object;
  return j;
}

JsonWriter& JsonWriter::Add(JsonWriter value) {
  m_items.emplace_back(std::string(), std::move(value));
  return *this;
}

JsonWriter& JsonWriter::Set(std::string_view key, JsonWriter value) {
  for (auto& [k, v] : m_items) {
    if (k == key) {
      v = std::move(value);
      return *this;
    }
  }
  m_items.emplace_back(std::string(key), std::move(value));
  return *this;
}

JsonWriter& JsonWriter::Merge(const JsonWriter& object) {
  for (const auto& [key, value] : object.m_items) Set(key, value);
  return *this;
}

std::string JsonWriter::Dump() const {
  std::string out;
  DumpTo(out);
  return out;
}

namespace {

void Quote(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (u < 0x20) {
          out += "\\u00";
          out += kHex[u >> 4];
          out += kHex[u & 15];
        } else {
          out += c;  // UTF-8 passes through
        }
    }
  }
  out += '"';
}

}  // namespace

void JsonWriter::DumpTo(std::string& out) const {
  switch (m_kind) {
    case Kind::Null:
      out += "null";
      return;
    case Kind::Bool:
      out += m_bool ? "true" : "false";
      return;
    case Kind::Int:
      out += std::to_string(m_int);
      return;
    case Kind::Text:
      Quote(out, m_text);
      return;
    case Kind::Array:
    case Kind::Object: {
      const bool object = m_kind == Kind::Object;
      out += object ? '{' : '[';
      bool first = true;
      for (const auto& [key, value] : m_items) {
        if (!first) out += ',';
        first = false;
        if (object) {
          Quote(out, key);
          out += ':';
        }
        value.DumpTo(out);
      }
      out += object ? '}' : ']';
      return;
    }
  }
}
