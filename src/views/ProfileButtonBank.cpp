#include "views/ProfileButtonBank.h"

#include "profiles/ProfileSettings.h"

std::optional<ButtonFields> ProfileButtonBank::Slot(int slot) {
  ButtonSlot* button = m_profile().ButtonAt(slot);
  if (button == nullptr) return std::nullopt;
  ButtonFields fields;
  fields.name = &button->KeyName;
  fields.url = &button->KeyURL;
  fields.code = button->KeyValue.data();
  fields.macroKeyIndex = &button->MacroKeyIndex;
  fields.macro = &button->macro;
  return fields;
}
