#pragma once
// A tab of a group (the profile slots, or the page tabs). Its creator gives it its group and
// its index there. A click makes it the current tab of its group and notifies (id, 0, 2); a
// right-button release inside notifies (id, id, 11). The current tab is drawn with the
// "current" images.

#include <memory>

#include "ui/ImageButton.h"

// Which selection a tab belongs to and the index it selects there (0..4 for the profile slots).
struct TabSlot {
  enum class Group { Profile, Page };
  Group group;
  int index;
};

class CTabControl : public CImageButton {
 public:
  CTabControl(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
              std::u16string_view title, TabSlot slot, ControlOptions options = {});

  void Draw(platform::Canvas& canvas, const platform::Rect& update) override;
  bool OnRButtonUp(uint32_t flags, int x, int y) override;
  void ReleaseImages() override;

  // "skins\profile_slot_nr.png", "_ov", "_nr2", "_ov2".
  void LoadDefaultImages();
  bool SetImageCurrentNormal(std::u16string_view path) {
    return LoadImageFile(path, m_pImageNormal2);
  }
  bool SetImageCurrentHover(std::u16string_view path) {
    return LoadImageFile(path, m_pImageHover2);
  }

  // Index this tab selects in its group.
  int TabIndex() const { return m_slot.index; }
  bool IsCurrent() const;

 protected:
  void NotifyPressed(int x, int y) override;
  void NotifyClicked(int x, int y) override;

 private:
  int& GroupSelection() const;

  TabSlot m_slot;
  std::unique_ptr<platform::Image> m_pImageNormal2;
  std::unique_ptr<platform::Image> m_pImageHover2;
};
