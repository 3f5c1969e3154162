#pragma once
// The polling page's rules: which rates the mouse's polling class offers and on which of the
// five dials, what a click on a dial area stores, and the rate names. Platform-free.

#include <cstdint>
#include <string_view>
#include <vector>

struct ProfileSettings;

struct PollingDial {
  uint32_t id = 0;  // the enabled dial, 0 when the class offers no rate
  int areas = 0;    // its click areas: area i stands for rate index i
};

class PollingRules {
 public:
  static constexpr int kRateCount = 7;  // 125, 250, 500, 1000, 2000, 4000, 8000 Hz
  static constexpr uint32_t kDial250 = 3041;
  static constexpr uint32_t kDial1000 = 3042;
  static constexpr uint32_t kDial2000 = 3043;
  static constexpr uint32_t kDial4000 = 3044;
  static constexpr uint32_t kDial8000 = 3045;
  // Classes the Bluetooth link reports: two rates, or none.
  static constexpr int kClassBluetoothLow = 49;
  static constexpr int kClassBluetoothNone = 48;

  // 1 (and any class not listed) 3042/4, 2 3043/5, 4 3044/6, 8 3045/7, 49 3041/2, 48 none.
  static PollingDial DialFor(int pollingClass);
  // Rate indices the class offers, lowest first.
  static std::vector<int> OfferedIndices(int pollingClass);
  // The rate a click on `area` of the class's dial chooses, limited to the dial's highest rate;
  // -1 when the class offers none or the area is negative.
  static int IndexForArea(int pollingClass, int area);
  // Choices of the receiver's alternative rate buttons: 7 for class 8, 6 for 4, 5 for 2, else 4.
  static int ReceiverChoices(int pollingClass);

  // "125HZ" .. "8000HZ"; an index beyond the table names the last rate.
  static std::u16string RateName(int index);
  // The profile's rate index (byte 0 of PollingRateValue, as stored).
  static int StoredIndex(const ProfileSettings& profile);
  // PollingRateValue (index, 0, 0) and the matching PollingRateName; false when it already
  // held that rate. An index outside 0..6 changes nothing.
  static bool StoreRate(ProfileSettings& profile, int index);
};
