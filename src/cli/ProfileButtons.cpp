#include "cli/ProfileButtons.h"

#include "profiles/ProfileSettings.h"

std::optional<ButtonFields> ProfileButtons::Slot(int slot) {
  ButtonSlot* button = m_profile.ButtonAt(slot);
  if (button == nullptr) return std::nullopt;
  return ButtonFields{&button->KeyName, &button->KeyURL, button->KeyValue.data(),
                      &button->MacroKeyIndex, &button->macro};
}
