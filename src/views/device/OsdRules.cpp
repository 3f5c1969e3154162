#include "views/device/OsdRules.h"

#include "base/Format.h"
#include "profiles/PollingRate.h"
#include "profiles/ProfileSettings.h"
#include "profiles/SensorDpiTable.h"

OsdTexts OsdRules::Texts(const ProfileSettings& profile, const SensorDpiTable& table) {
  const int level = profile.ActiveDpiLevel();
  OsdTexts texts;
  texts.level = base::Format(u"DPI-%d", level + 1);
  texts.value = base::Format(u"%d", DpiOf(table, profile.XYSettingValueX[level]));
  texts.rate = RateText(profile.PollingRateValue[0]);
  return texts;
}

std::u16string OsdRules::RateText(int index) {
  // A negative index stands for the last rate, as one past the table does.
  const bool inTable = index >= 0 && index <= PollingRate::kHighestIndex;
  return PollingRate::Label(inTable ? static_cast<uint8_t>(index) : PollingRate::kHighestIndex);
}

int OsdRules::ValueLeft(std::u16string_view value, std::u16string_view face) {
  const bool songti = face == u"宋体";
  switch (value.size()) {
    case 5:
      return songti ? 34 : 16;
    case 4:
      return songti ? 44 : 34;
    default:
      return 50;
  }
}

int OsdRules::RateLeft(std::u16string_view rate) {
  return rate.size() == 6 ? 50 : 57;
}

platform::Rect OsdRules::Placement(const platform::Rect& workArea, float scale) {
  const int width = static_cast<int>(kWidth * scale);
  const int height = static_cast<int>(kHeight * scale);
  const int left = workArea.right - width;
  const int top = workArea.bottom - height;
  return {left, top, left + width, top + height};
}
