#pragma once
// The Run entry kept in memory; a test can make writes fail.

#include <optional>
#include <string>

#include "platform/AutoStart.h"

namespace platform::headless {

class HeadlessAutoStart : public AutoStart {
 public:
  explicit HeadlessAutoStart(std::u16string executable) : m_executable(std::move(executable)) {}

  std::optional<std::u16string> entry;
  bool refuseWrites = false;

  std::optional<std::u16string> Entry() override { return entry; }
  bool Enable() override {
    if (refuseWrites) return false;
    entry = u"\"" + m_executable + u"\"";
    return true;
  }
  bool Disable() override {
    if (refuseWrites) return !entry.has_value();
    entry.reset();
    return true;
  }

 private:
  std::u16string m_executable;
};

}  // namespace platform::headless
