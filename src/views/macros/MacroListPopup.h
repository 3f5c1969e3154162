#pragma once
// The library list's context menu: items 1..8 (texts 245..252) as the selection allows; the
// chosen item's number is the result's lParam.

#include "ui/MenuPopup.h"

class MacroLibrary;
struct LibraryLocation;

class CMacroListPopup : public CMenuPopup {
 public:
  static constexpr int kKind = 13;  // close notice 1165
  static constexpr int kFirstText = 244;

  CMacroListPopup(const MacroLibrary& library, const LibraryLocation& selection);
};
