#pragma once
// Shared pieces of the settings page parts: the dialog and services they work with, the
// layout of their controls relative to the page origin, the panel they paint, and builders for
// the kinds of controls the pages repeat (labels, sliders on their bars, check boxes, radios).

#include <cstdint>
#include <string_view>
#include <vector>

#include "ui/DlgBase.h"
#include "views/ViewServices.h"
#include "views/main/PageLayout.h"
#include "views/main/PagePart.h"
#include "views/main/PageTabs.h"
#include "views/main/PartPlacement.h"

class CCheckButton;
class CRadioButton;
class CSliderControl;
class CStaticImage;
class CStaticText;
struct ProfileSettings;
struct SensorDpiTable;

class SettingsPagePart : public PagePart {
 public:
  // Label colour of the pages.
  static constexpr platform::Colour kLabelColour = kTextNormal;
  // Unscaled width of a page's content.
  static constexpr int kPageWidth = page::kPageContentWidth;

  uint32_t Tab() const override { return m_tab; }
  int Layout(platform::Point origin) override;
  void DrawDecorations(platform::Canvas& canvas, const platform::Rect& update) override;
  // While the left button is held, the sliders added with AddSlider that are being dragged
  // follow the pointer, their thumbs snapped to the stops. True when a value changed.
  bool OnDrag(platform::Point pt) override;
  // The pages answer no message with a result of their own.
  platform::LResult OnMessage(uint32_t message, platform::WParam wParam,
                              platform::LParam lParam) final {
    OnNotice(message, wParam, lParam);
    return 0;
  }

 protected:
  // A message registered by the part: a control's id, with what happened in `lParam`.
  virtual void OnNotice(uint32_t message, platform::WParam wParam, platform::LParam lParam) = 0;

  // `height` is the part's unscaled height; a fixed-area part (tab 0) is placed once.
  SettingsPagePart(uint32_t tab, int height)
      : m_tab(tab), m_layer(page::LayerOf(tab)), m_height(height) {}

  // Stores the dialog and the services; the first thing every Build does.
  void Attach(CDlgBase& dialog, PartRegistry& registry);
  ViewServices& Services() const { return *m_services; }
  CDlgBase& Dialog() const { return *m_dialog; }
  ProfileSettings& Profile() const;
  const SensorDpiTable& Table() const;
  platform::WindowId Hwnd() const;
  int Height() const { return m_height; }

  // Adds a control to the part's layer at a place relative to the origin.
  template <typename T>
  T* Add(std::unique_ptr<T> control, const platform::Rect& relative) {
    return m_layout.Add(m_dialog->AddControl(m_layer, std::move(control)), relative);
  }
  CStaticText* AddLabel(uint32_t id, const platform::Rect& relative, std::u16string_view text,
                        bool valueFont = false);
  // A slider bar picture with a 14-pixel thumb slider over it.
  CSliderControl* AddSlider(uint32_t barId, uint32_t sliderId, const platform::Rect& relative,
                            int stops, std::u16string_view barImage);
  // A check box with the images "<prefix>_nr.png", "_ov", "_dn".
  CCheckButton* AddCheck(uint32_t id, const platform::Rect& relative,
                         std::u16string_view prefix = u"check");
  // A radio button with the images "<prefix>_nr.png", "_ov" and, selected, "<prefix>" followed
  // by `selectedSuffix`.
  CRadioButton* AddRadio(uint32_t id, const platform::Rect& relative,
                         std::u16string_view prefix = u"radio",
                         std::u16string_view selectedSuffix = u"_dn.png");
  void Invalidate(const CControlBase* control) const;
  // Client rectangle for a menu of `size` below `anchor` (above it when the screen ends),
  // kept on the work area, as OpenPopup takes it.
  platform::Rect MenuBelow(const CControlBase& anchor, platform::Size size) const;
  // The area of the part in client pixels.
  platform::Rect Area() const { return m_layout.Area(kPageWidth, m_height); }

 private:
  uint32_t m_tab;
  int m_layer;
  int m_height;
  CDlgBase* m_dialog = nullptr;
  ViewServices* m_services = nullptr;
  PartPlacement m_layout;
  std::vector<CSliderControl*> m_sliders;
};
