#include "profiles/DpiFunctions.h"

#include "base/Format.h"
#include "base/Language.h"

namespace {

constexpr uint8_t kDpiLock = 0x50;
constexpr int kDpiLockNameText = 36;

bool IsLockEntry(int entry) {
  return entry >= 1 && entry <= kDpiLockEntryCount;
}

}  // namespace

int DpiLockValue(int entry) {
  return IsLockEntry(entry) ? 100 + 100 * entry : 0;
}

std::u16string DpiLockLabel(int entry) {
  return IsLockEntry(entry) ? base::Format(u"%d", DpiLockValue(entry)) : std::u16string();
}

std::array<uint8_t, 3> DpiLockCode(int entry) {
  if (!IsLockEntry(entry)) return {0, 0, 0};
  return {kDpiLock, static_cast<uint8_t>(entry), 0};
}

std::u16string DpiLockButtonName(int entry) {
  if (!IsLockEntry(entry)) return {};
  return LangText(kDpiLockNameText) + u"-" + DpiLockLabel(entry);
}
