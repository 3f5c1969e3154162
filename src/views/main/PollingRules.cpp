#include "views/main/PollingRules.h"

#include <algorithm>

#include "profiles/PollingRate.h"
#include "profiles/ProfileSettings.h"

PollingDial PollingRules::DialFor(int pollingClass) {
  switch (pollingClass) {
    case 2:
      return {kDial2000, 5};
    case 4:
      return {kDial4000, 6};
    case 8:
      return {kDial8000, 7};
    case kClassBluetoothLow:
      return {kDial250, 2};
    case kClassBluetoothNone:
      return {};
    default:
      return {kDial1000, 4};
  }
}

std::vector<int> PollingRules::OfferedIndices(int pollingClass) {
  std::vector<int> indices;
  for (int i = 0; i < DialFor(pollingClass).areas; ++i) indices.push_back(i);
  return indices;
}

int PollingRules::IndexForArea(int pollingClass, int area) {
  const PollingDial dial = DialFor(pollingClass);
  if (dial.areas == 0 || area < 0) return -1;
  return std::min(area, dial.areas - 1);
}

int PollingRules::ReceiverChoices(int pollingClass) {
  switch (pollingClass) {
    case 8:
      return 7;
    case 4:
      return 6;
    case 2:
      return 5;
    default:
      return 4;
  }
}

std::u16string PollingRules::RateName(int index) {
  return PollingRate::Name(static_cast<uint8_t>(std::clamp(index, 0, kRateCount - 1)));
}

int PollingRules::StoredIndex(const ProfileSettings& profile) {
  return profile.PollingRateValue[0];
}

bool PollingRules::StoreRate(ProfileSettings& profile, int index) {
  if (index < 0 || index >= kRateCount) return false;
  const std::array<uint8_t, 3> value{static_cast<uint8_t>(index), 0, 0};
  const std::u16string name = RateName(index);
  if (profile.PollingRateValue == value && profile.PollingRateName == name) return false;
  profile.PollingRateValue = value;
  profile.PollingRateName = name;
  return true;
}
