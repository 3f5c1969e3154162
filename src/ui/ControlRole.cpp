#include "ui/ControlRole.h"

#include "ui/Battery.h"
#include "ui/CheckButton.h"
#include "ui/ColorSelectCheckButton.h"
#include "ui/ComboButton.h"
#include "ui/DPIRadioButton.h"
#include "ui/DialButton.h"
#include "ui/EditBox.h"
#include "ui/RadioButton.h"
#include "ui/ScrollBarBase.h"
#include "ui/SliderControl.h"
#include "ui/StaticImage.h"
#include "ui/StaticProgressBar.h"
#include "ui/StaticText.h"
#include "ui/TabControl.h"
#include "ui/VerticalSliderControl.h"

namespace ui {

Role RoleOf(const CControlBase& control) {
  if (control.m_enRole != Role::Auto) return control.m_enRole;
  const CControlBase* c = &control;
  // Most derived first: several of these derive from one another.
  if (dynamic_cast<const CComboButton*>(c)) return Role::ComboBox;
  if (dynamic_cast<const CTabControl*>(c)) return Role::PageTab;
  if (dynamic_cast<const CRadioButton*>(c) || dynamic_cast<const CDPIRadioButton*>(c)) {
    return Role::RadioButton;
  }
  if (dynamic_cast<const CCheckButton*>(c) || dynamic_cast<const CColorSelectCheckButton*>(c)) {
    return Role::CheckButton;
  }
  // The dials choose one of a row of values, as a slider does.
  if (dynamic_cast<const CDialButton*>(c) || dynamic_cast<const CSliderControl*>(c) ||
      dynamic_cast<const CVerticalSliderControl*>(c)) {
    return Role::Slider;
  }
  if (dynamic_cast<const CEditBox*>(c)) return Role::Text;
  if (dynamic_cast<const CScrollBarBase*>(c)) return Role::ScrollBar;
  if (dynamic_cast<const CBattery*>(c) || dynamic_cast<const CStaticProgressBar*>(c)) {
    return Role::ProgressBar;
  }
  if (dynamic_cast<const CStaticText*>(c)) return Role::StaticText;
  // A picture becomes a button once it is enabled (it then reports clicks).
  if (dynamic_cast<const CStaticImage*>(c)) {
    return control.m_bDisable ? Role::Graphic : Role::PushButton;
  }
  if (dynamic_cast<const CImageButton*>(c)) return Role::PushButton;
  return Role::None;
}

bool IsOperable(Role role) {
  switch (role) {
    case Role::PushButton:
    case Role::CheckButton:
    case Role::RadioButton:
    case Role::Slider:
    case Role::ComboBox:
    case Role::PageTab:
    case Role::List:
    case Role::Text:
      return true;
    default:
      return false;
  }
}

}  // namespace ui
