#include "views/macros/ComboActionInsertPopup.h"

#include "base/Language.h"
#include "macros/editing/ActionInserter.h"

namespace {

constexpr int kTexts[ActionInserter::kChoiceCount] = {20, 21, 22, 205, 206, 207, 208, 209, 210};

std::vector<MenuItem> InsertItems() {
  std::vector<MenuItem> items;
  for (int choice = 0; choice < ActionInserter::kChoiceCount; ++choice) {
    items.push_back({LangText(kTexts[choice]), choice + 1});
  }
  return items;
}

}  // namespace

CComboActionInsertPopup::CComboActionInsertPopup() : CMenuPopup(kKind, InsertItems()) {}

int CComboActionInsertPopup::ChoiceOf(platform::LParam value) {
  return value >= 1 && value <= ActionInserter::kChoiceCount ? static_cast<int>(value - 1) : -1;
}
