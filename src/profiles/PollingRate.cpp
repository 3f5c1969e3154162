#include "profiles/PollingRate.h"

#include "base/Format.h"

std::u16string PollingRate::Name(uint8_t index) {
  return base::Format(u"%dHZ", Hertz(index));
}

std::u16string PollingRate::Label(uint8_t index) {
  return base::Format(u"%dHz", Hertz(index));
}
