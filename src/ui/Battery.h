#pragma once
// The battery indicator. State 0: the empty image with the bottom part of the full image
// filled to the level; state 1 (charging): the charging image filled to the animation level,
// then the lightning; state 2 (charged): the full image and the lightning.

#include <memory>

#include "ui/ControlBase.h"

class CBattery : public CControlBase {
 public:
  enum State { kNormal = 0, kCharging = 1, kCharged = 2 };
  static constexpr int kFirstAnimLevel = 25;

  CBattery(platform::WindowId hWnd, const platform::Rect& rc, Visibility visibility = {});

  void Draw(platform::Canvas& canvas, const platform::Rect& update) override;
  void ReleaseImages() override;

  // "skins\battery_full.png", "_empty", "_charging", "skins\battery_lighting.png".
  void LoadDefaultImages();
  bool SetImageFull(std::u16string_view path) { return LoadImageFile(path, m_pImageFull); }
  bool SetImageEmpty(std::u16string_view path) { return LoadImageFile(path, m_pImageEmpty); }
  bool SetImageCharging(std::u16string_view path) { return LoadImageFile(path, m_pImageCharging); }
  bool SetImageLightning(std::u16string_view path) {
    return LoadImageFile(path, m_pImageLightning);
  }

  // Out-of-range values are clamped: a report may carry anything.
  void SetState(int state);
  void SetLevel(int level);
  void SetAnimLevel(int level);
  int GetState() const { return m_nState; }
  int GetLevel() const { return m_nLevel; }
  int GetAnimLevel() const { return m_nAnimLevel; }

  int m_nState = kNormal;
  int m_nLevel = 0;
  int m_nAnimLevel = kFirstAnimLevel;

 private:
  // The bottom `percent` of the image over the bottom of the rectangle.
  void DrawBottomPart(platform::Canvas& canvas, const platform::Image* image, int percent) const;

  std::unique_ptr<platform::Image> m_pImageFull;
  std::unique_ptr<platform::Image> m_pImageEmpty;
  std::unique_ptr<platform::Image> m_pImageCharging;
  std::unique_ptr<platform::Image> m_pImageLightning;
};
