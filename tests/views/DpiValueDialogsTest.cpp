// The DPI value dialogs driven by keys, typing and their sliders, and the DPI value field.

#include <gtest/gtest.h>

#include "platform/Keys.h"
#include "platform/Platform.h"
#include "profiles/SensorDpiTable.h"
#include "support/Clicks.h"
#include "ui/CheckButton.h"
#include "ui/DPIValueShowControl.h"
#include "ui/EditBox.h"
#include "ui/SliderControl.h"
#include "ui/UiTestSupport.h"
#include "views/settings/DPIValueSettingDlg.h"
#include "views/settings/DPIValueSyncSettingDlg.h"

namespace {

using Dlg = CDPIValueSettingDlg;

class DpiValueDialogsTest : public uitest::UiTest {
 protected:
  DpiValueDialogsTest() {
    platform.UseInstallation(VANTREL_SOURCE_DIR);
    BuildSensorDpiTable(table, 0x3950);
  }
  static CControlBase* Control(Dlg& dlg, uint32_t id) { return dlg.GetControl(id); }
  static uint32_t RowId(int axis, uint32_t offset) {
    return Dlg::kFirstRowId + static_cast<uint32_t>(axis) * Dlg::kRowStep + offset;
  }
  static std::u16string Text(Dlg& dlg, int axis) {
    return Control(dlg, RowId(axis, Dlg::kTextOffset))->GetTitle();
  }
  static CEditBox* Edit(Dlg& dlg, int axis) {
    return static_cast<CEditBox*>(Control(dlg, RowId(axis, Dlg::kEditOffset)));
  }
  // Replaces what the focused edit box holds with `text`.
  void Type(platform::WindowId w, std::u16string_view text) {
    desktop.PressKey(w, 'A', platform::mod::kControl);
    desktop.TypeText(w, text);
  }

  SensorDpiTable table;
};

TEST_F(DpiValueDialogsTest, TypedValuesRoundUpAndOkReturnsTheIndex) {
  Dlg dlg(table, 15, 0);
  desktop.ScriptNextModal([&](platform::WindowId w) {
    EXPECT_EQ(Text(dlg, 0), u"800");
    EXPECT_EQ(Edit(dlg, 0)->GetText(), u"800");
    Type(w, u"851");
    desktop.PressKey(w, platform::kVkReturn);  // applies, does not close
    EXPECT_EQ(Text(dlg, 0), u"900");
    EXPECT_EQ(Edit(dlg, 0)->GetText(), u"900");
    EXPECT_EQ(static_cast<CSliderControl*>(Control(dlg, RowId(0, Dlg::kSliderOffset)))->GetValue(),
              17);
    Type(w, u"99999");  // five digits: the sensor's largest
    desktop.PressKey(w, platform::kVkReturn);
    EXPECT_EQ(Text(dlg, 0), u"30000");
    desktop.PressKey(w, platform::kVkEscape);  // swallowed
    EXPECT_TRUE(desktop.IsWindow(w));
    Type(w, u"0");
    testclick::Click(desktop, dlg, Dlg::kOkButton);  // OK applies what is typed first
  });
  EXPECT_EQ(dlg.DoModal(), CDlgBase::kIdOk);
  EXPECT_EQ(dlg.Index(), 0);
  EXPECT_EQ(dlg.Rules().DpiText(DpiDialogRules::kX), u"50");
}

TEST_F(DpiValueDialogsTest, ArrowsStepTheIndexAndTheCloseButtonCancels) {
  Dlg dlg(table, 1, 0);
  desktop.ScriptNextModal([&](platform::WindowId w) {
    desktop.PressKey(w, platform::kVkLeft);
    desktop.PressKey(w, platform::kVkLeft);  // stops at index 0
    EXPECT_EQ(Text(dlg, 0), u"50");
    desktop.PressKey(w, platform::kVkRight);
    EXPECT_EQ(Text(dlg, 0), u"100");
    Type(w, u"");  // nothing typed: OK keeps the index
    testclick::Click(desktop, dlg, Dlg::kCloseButton);
  });
  EXPECT_EQ(dlg.DoModal(), CDlgBase::kIdCancel);

  Dlg again(table, 7, 0);
  desktop.ScriptNextModal([&](platform::WindowId w) {
    desktop.PressKey(w, platform::kVkDelete);
    desktop.PressKey(w, 'A', platform::mod::kControl);
    desktop.PressKey(w, platform::kVkBack);
    testclick::Click(desktop, again, Dlg::kOkButton);
  });
  EXPECT_EQ(again.DoModal(), CDlgBase::kIdOk);
  EXPECT_EQ(again.Index(), 7);
}

TEST_F(DpiValueDialogsTest, XySyncCopiesTheLeadingAxis) {
  CDPIValueSyncSettingDlg dlg(table, 15, 31, 0);
  desktop.ScriptNextModal([&](platform::WindowId w) {
    EXPECT_EQ(Text(dlg, 0), u"800");
    EXPECT_EQ(Text(dlg, 1), u"1600");
    auto* sync = static_cast<CCheckButton*>(Control(dlg, CDPIValueSyncSettingDlg::kSyncCheck));
    EXPECT_FALSE(sync->GetCheck());
    // Sync off: X alone changes.
    Type(w, u"1000");
    desktop.PressKey(w, platform::kVkReturn);
    EXPECT_EQ(Text(dlg, 0), u"1000");
    EXPECT_EQ(Text(dlg, 1), u"1600");
    // Checking sync makes Y equal X.
    testclick::Click(desktop, dlg, CDPIValueSyncSettingDlg::kSyncCheck);
    EXPECT_EQ(Text(dlg, 1), u"1000");
    // The focused axis leads the keys: Y's edit box.
    testclick::Click(desktop, dlg, RowId(1, Dlg::kEditOffset));
    desktop.PressKey(w, platform::kVkRight);
    EXPECT_EQ(Text(dlg, 0), u"1050");
    Type(w, u"2000");
    desktop.PressKey(w, platform::kVkReturn);
    EXPECT_EQ(Text(dlg, 0), u"2000");
    // The dragged slider leads.
    auto* sliderX = static_cast<CSliderControl*>(Control(dlg, RowId(0, Dlg::kSliderOffset)));
    const int y = sliderX->GetRect().top + 5;
    desktop.Click(w, {sliderX->StopPosition(599), y});
    EXPECT_EQ(Text(dlg, 1), u"30000");
    // Sync off again: the axes part.
    testclick::Click(desktop, dlg, CDPIValueSyncSettingDlg::kSyncCheck);
    desktop.Click(w, {sliderX->GetRect().left + 1, y});  // the left end: index 0
    EXPECT_EQ(Text(dlg, 0), u"50");
    EXPECT_EQ(Text(dlg, 1), u"30000");
    testclick::Click(desktop, dlg, Dlg::kOkButton);
  });
  EXPECT_EQ(dlg.DoModal(), CDlgBase::kIdOk);
  EXPECT_EQ(dlg.XIndex(), 0);
  EXPECT_EQ(dlg.YIndex(), 599);
}

TEST_F(DpiValueDialogsTest, XyOkAndEnterKeepWhatIsTypedInEitherBox) {
  using Sync = CDPIValueSyncSettingDlg;
  {  // Typed into Y only: OK takes it (X's box must not rewrite Y's first).
    Sync dlg(table, 15, 31, 0);
    desktop.ScriptNextModal([&](platform::WindowId w) {
      testclick::Click(desktop, dlg, RowId(1, Dlg::kEditOffset));
      Type(w, u"2400");
      testclick::Click(desktop, dlg, Dlg::kOkButton);
    });
    EXPECT_EQ(dlg.DoModal(), CDlgBase::kIdOk);
    EXPECT_EQ(dlg.XIndex(), 15);
    EXPECT_EQ(dlg.YIndex(), 47);
  }
  {  // Typed into X, Enter in Y: Y applies, X's text stays and OK applies it too.
    Sync dlg(table, 15, 31, 0);
    desktop.ScriptNextModal([&](platform::WindowId w) {
      Type(w, u"1000");
      testclick::Click(desktop, dlg, RowId(1, Dlg::kEditOffset));
      Type(w, u"3000");
      desktop.PressKey(w, platform::kVkReturn);
      EXPECT_EQ(Text(dlg, 1), u"3000");
      EXPECT_EQ(Edit(dlg, 0)->GetText(), u"1000");
      EXPECT_EQ(Text(dlg, 0), u"800");
      testclick::Click(desktop, dlg, Dlg::kOkButton);
    });
    EXPECT_EQ(dlg.DoModal(), CDlgBase::kIdOk);
    EXPECT_EQ(dlg.XIndex(), 19);
    EXPECT_EQ(dlg.YIndex(), 59);
  }
  {  // Synchronised: the box typed into last leads, whichever axis it is.
    Sync dlg(table, 15, 15, 0);
    desktop.ScriptNextModal([&](platform::WindowId w) {
      testclick::Click(desktop, dlg, Sync::kSyncCheck);
      testclick::Click(desktop, dlg, RowId(0, Dlg::kEditOffset));
      Type(w, u"1000");
      testclick::Click(desktop, dlg, RowId(1, Dlg::kEditOffset));
      Type(w, u"500");
      testclick::Click(desktop, dlg, Dlg::kOkButton);
    });
    EXPECT_EQ(dlg.DoModal(), CDlgBase::kIdOk);
    EXPECT_EQ(dlg.XIndex(), 9);
    EXPECT_EQ(dlg.YIndex(), 9);
  }
}

TEST_F(DpiValueDialogsTest, TheValueFieldFillsInProportionAndReportsClicks) {
  CDPIValueShowControl* field = nullptr;
  auto& dlg = Dialog([&](uitest::CTestDlg& d, platform::WindowId w) {
    field = d.AddControl(
        0, std::make_unique<CDPIValueShowControl>(w, 3303, platform::Rect{10, 10, 41, 34}));
  });
  field->SetIndexes(299, 299, 600);
  EXPECT_EQ(field->FilledWidth(), 15);
  field->SetIndexes(900, 0, 600);  // beyond the table: full, never more
  EXPECT_EQ(field->FilledWidth(), 31);
  field->SetIndexes(5, 5, 0);  // no table: empty
  EXPECT_EQ(field->FilledWidth(), 0);
  field->SetTexts(u"30000", u"");
  desktop.Click(W(), {20, 20});
  EXPECT_EQ(dlg.notes.back(), (uitest::Note{3303, 0, Notify::kClicked}));
  // Five digits are drawn whole in the narrow field, and a second line carries Y.
  desktop.Invalidate(W(), nullptr);
  const auto& paint = Paint(W());
  bool whole = false;
  for (const auto& op : paint.Ops()) {
    if (op.kind == platform::headless::DrawOp::Kind::Text && op.text == u"30000") whole = true;
  }
  EXPECT_TRUE(whole);
  auto canvas = platform::Gfx().CreateCanvas(10, 10);
  const platform::Size size =
      canvas->MeasureText(u"30000", *field->GetFont(), platform::dt::kSingleLine, 0);
  EXPECT_LE(size.cx, field->GetRect().Width());
}

}  // namespace
