#pragma once
// The reference push button: three-state machine, a strip image or separate state images,
// and a caption. Press sends (id, 0, 1), click (id, id, 2); button 3502 also sends (id, 0, 12)
// on every move over it. The other buttons derive from it and change what they add.

#include <memory>

#include "ui/ControlBase.h"

class CImageButton : public CControlBase {
 public:
  CImageButton(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
               std::u16string_view title, ControlOptions options = {});

  void Draw(platform::Canvas& canvas, const platform::Rect& update) override;
  bool OnMouseMove(uint32_t flags, int x, int y) override;
  bool OnLButtonDown(uint32_t flags, int x, int y) override;
  bool OnLButtonUp(uint32_t flags, int x, int y) override;
  void ReleaseImages() override;

  // A strip of three frames (normal, hover, down) side by side.
  bool SetImage(std::u16string_view path) { return LoadImageFile(path, m_pImage); }
  bool SetImageNormal(std::u16string_view path) {
    m_strImageNormal = path;
    return LoadImageFile(path, m_pImageNormal);
  }
  // The normal image's path: a button that only shows a picture is named after it.
  const std::u16string& ImageNormalPath() const { return m_strImageNormal; }
  bool SetImageHover(std::u16string_view path) { return LoadImageFile(path, m_pImageHover); }
  bool SetImageDown(std::u16string_view path) { return LoadImageFile(path, m_pImageDown); }
  void SetTextOffset(int left, int right);
  void SetFormat(uint32_t format) { m_uFormat = format; }
  ButtonState GetState() const { return m_enButtonState; }

  ButtonState m_enButtonState = kStateNormal;

 protected:
  // Notifications; derived buttons change what is sent.
  virtual void NotifyPressed(int x, int y);
  virtual void NotifyClicked(int x, int y);
  // The frame (0, 1, 2) shown for the current state and selection.
  virtual int ShownFrame() const { return m_enButtonState; }
  virtual platform::Colour TextColour() const;
  virtual std::u16string_view Caption() const { return m_strTitle; }
  // Strip frame or state image for ShownFrame(), then the caption.
  void DrawImagesAndCaption(platform::Canvas& canvas);
  // Where a separate state image goes: at the control's top left, at the size recorded when
  // the last image was loaded, whatever the control's size.
  platform::Rect ImageRect() const;
  // Sets the state; true when it changed.
  bool SetState(ButtonState state);

  std::unique_ptr<platform::Image> m_pImage;
  std::unique_ptr<platform::Image> m_pImageNormal;
  std::unique_ptr<platform::Image> m_pImageHover;
  std::unique_ptr<platform::Image> m_pImageDown;
  std::u16string m_strImageNormal;
  uint32_t m_uFormat = platform::dt::kCenter;
  int m_nTextLeft = 0;
  int m_nTextRight = 0;
};
