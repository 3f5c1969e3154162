#pragma once
// The DPI value of one level: a slider over the sensor's register indices with the DPI of its
// position beside it, and an edit box for typing a DPI. Enter rounds the typed number up to
// the sensor's next DPI and shows it everywhere; Left / Right step one index; Escape is
// swallowed; OK applies what is typed and returns the index, the close button cancels. The
// XY dialog (CDPIValueSyncSettingDlg) is the same with a row per axis.

#include <array>
#include <optional>

#include "ui/DlgBase.h"
#include "views/main/DpiDialogRules.h"

class CEditBox;
class CSliderControl;
class CStaticText;
struct SensorDpiTable;

class CDPIValueSettingDlg : public CDlgBase {
 public:
  static constexpr uint32_t kCloseButton = 2004;
  static constexpr uint32_t kOkButton = 2010;
  static constexpr uint32_t kTitleLabel = 2012;
  // Row of axis a (0 = X, 1 = Y): bar, slider, DPI text and edit box at 2020 + 5 a.
  static constexpr uint32_t kFirstRowId = 2020;
  static constexpr uint32_t kRowStep = 5;
  static constexpr uint32_t kBarOffset = 0;
  static constexpr uint32_t kSliderOffset = 1;
  static constexpr uint32_t kTextOffset = 2;
  static constexpr uint32_t kEditOffset = 3;
  static constexpr uint32_t kAxisLabelOffset = 4;

  // Unscaled size and frame picture of a dialog of this family.
  struct Layout {
    int width;
    int height;
    const char16_t* frame;
  };

  CDPIValueSettingDlg(const SensorDpiTable& table, int index, platform::WindowId parent);
  ~CDPIValueSettingDlg() override;

  // The chosen register index (after OK).
  int Index() const { return m_rules.Index(DpiDialogRules::kX); }
  const DpiDialogRules& Rules() const { return m_rules; }

  void InitUI(const platform::Rect& client) override;
  void DrawWindow(platform::Canvas& canvas, const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

 protected:
  CDPIValueSettingDlg(const SensorDpiTable& table, int xIndex, int yIndex, int axes,
                      const Layout& layout, platform::WindowId parent);

  // Enter: the focused axis's edit box, or every axis when the focus is elsewhere.
  void OnOK() override;
  // Escape does not close the dialog.
  void OnCancel() override {}
  // More controls of a derived dialog.
  virtual void InitExtras() {}
  // A message of a control the derived dialog added; true when handled.
  virtual bool OnExtraMessage(uint32_t message, platform::LParam lParam) {
    (void)message;
    (void)lParam;
    return false;
  }

  // Shows the working indices in every slider and text. An edit box is rewritten only when its
  // axis's index changed or its axis is in `rewrite` (a bit per axis), so that what the user
  // typed into one box survives a change made in the other.
  static constexpr unsigned kEveryAxis = 3;
  void ShowAxes(unsigned rewrite = kEveryAxis);
  void ApplyEdit(DpiDialogRules::Axis axis);
  // OK, or Enter with the focus on no edit box: every box whose text was edited, the box typed
  // into last applied last, so that it leads while the axes are synchronised.
  void ApplyAllEdits();
  std::optional<DpiDialogRules::Axis> FocusedAxis() const;
  platform::Rect Scaled(const platform::Rect& rc) const;

  DpiDialogRules m_rules;

 private:
  struct Row {
    CSliderControl* slider = nullptr;
    CStaticText* text = nullptr;
    CEditBox* edit = nullptr;
  };
  void Finish(intptr_t result);

  // Whether the axis's edit box holds something else than the DPI shown for its index.
  bool Edited(DpiDialogRules::Axis axis) const;

  int m_nAxes;
  Layout m_layout;
  std::array<int, 2> m_shownIndex{-1, -1};
  DpiDialogRules::Axis m_typedLast = DpiDialogRules::kX;
  std::array<Row, 2> m_rows{};
  std::unique_ptr<platform::Image> m_frame;
  platform::Size m_sizeFrameImage;
};
