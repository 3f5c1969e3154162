// What the bullet columns read, for bullets and for imported entries that hold other actions.

#include "views/macros/ShootingActionList.h"

#include <gtest/gtest.h>

#include "macros/MacroRecord.h"
#include "macros/editing/BulletRules.h"

namespace {

TEST(ShootingActionListTest, LinesDescribeWhatEachPositionHolds) {
  MacroRecord r;
  bullets::InitShootingAction(r);
  r.actions[6] = bullets::WithStep(r.actions[6], {-128, 127});
  // Bullet 3 imported from a file: a key press, a release and no cursor step.
  r.actions[8] = MacroAction::Key(0x41, false);
  r.actions[10] = MacroAction::Key(0x41, true);
  r.MacroActionNum = 15;  // bullet 4 cut short after its step
  struct Case {
    int column;
    int line;
    std::u16string text;
  };
  for (const Case& c :
       {Case{0, 0, u"bullet 1"}, Case{1, 2, u"X = -128"}, Case{1, 3, u"Y = 127"},
        Case{1, 4, u"delay 20ms"}, Case{2, 0, u"A \u2193"}, Case{2, 2, u"A \u2191"},
        Case{2, 3, u""}, Case{3, 0, u"bullet 4"}, Case{3, 1, u"delay 10ms"}, Case{3, 2, u"X = 0"},
        Case{3, 4, u""}, Case{4, 0, u""}, Case{0, 5, u""}, Case{-1, 0, u""}}) {
    EXPECT_EQ(CShootingActionList::LineText(r, c.column, c.line), c.text)
        << c.column << ":" << c.line;
  }
}

}  // namespace
