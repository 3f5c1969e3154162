#include "views/companion/BatteryAlerts.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Report {
  int level;
  int charge;
  int notice;  // 0: none
};

void Play(const char* name, const std::vector<Report>& reports) {
  BatteryAlerts alerts;
  int index = 0;
  for (const Report& r : reports) {
    EXPECT_EQ(alerts.OnReport(r.level, r.charge).value_or(0), r.notice)
        << name << ", report " << index;
    ++index;
  }
}

TEST(BatteryAlertsTest, OncePerDischargeAndArmedAgain) {
  Play("falling through both thresholds", {{50, 0, 0},
                                           {20, 0, 0},
                                           {19, 0, 20},
                                           {19, 0, 0},
                                           {10, 0, 0},
                                           {5, 0, 0},
                                           {4, 0, 5},
                                           {1, 0, 0},
                                           {0, 0, 0}});
  Play("straight below 5 % gives only the last notice",
       {{30, 0, 0}, {3, 0, 5}, {2, 0, 0}, {19, 0, 0}});
  Play("charging arms both again",
       {{19, 0, 20}, {4, 0, 5}, {4, 1, 0}, {4, 0, 5}, {10, 2, 0}, {18, 0, 20}});
  Play("above 25 % arms both again; in between does not",
       {{19, 0, 20}, {24, 0, 0}, {25, 0, 0}, {19, 0, 0}, {26, 0, 0}, {19, 0, 20}});
  Play("no notice while charging or full", {{10, 1, 0}, {3, 1, 0}, {3, 2, 0}});
  Play("a level above 100 is no reading", {{19, 0, 20}, {255, 0, 0}, {19, 0, 0}, {4, 0, 5}});
}

}  // namespace
