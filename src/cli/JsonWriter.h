#pragma once
// A small JSON value for --json output: null, booleans, integers, texts, arrays and objects
// (keys in insertion order). Written on one line.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class JsonWriter {
 public:
  JsonWriter() = default;  // null
  static JsonWriter Bool(bool value);
  static JsonWriter Int(int64_t value);
  static JsonWriter Text(std::string_view value);
  static JsonWriter Text(std::u16string_view value);
  static JsonWriter Array();
  static JsonWriter Object();

  // Arrays: appends. Objects: adds or replaces a member.
  JsonWriter& Add(JsonWriter value);
  JsonWriter& Set(std::string_view key, JsonWriter value);
  // Objects: sets every member of another object.
  JsonWriter& Merge(const JsonWriter& object);

  bool IsNull() const { return m_kind == Kind::Null; }
  std::string Dump() const;

 private:
  enum class Kind { Null, Bool, Int, Text, Array, Object };
  void DumpTo(std::string& out) const;

  Kind m_kind = Kind::Null;
  bool m_bool = false;
  int64_t m_int = 0;
  std::string m_text;
  std::vector<std::pair<std::string, JsonWriter>> m_items;  // array items have empty keys
};
