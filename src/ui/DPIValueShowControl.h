#pragma once
// The value field of a DPI level (ids 3300..3307): a bar filled in proportion to
// (X index + 1) / count with the level's DPI written over it; a second line carries the Y DPI
// when the axes differ. Clicking it notifies (id, 0, 2); the page opens the value dialog.
// Images: "skins\mouse\dpi_bar_1.png" (empty) and "skins\mouse\dpi_bar_2.png" (filled), the
// DPI sliders' bars, whose plain middle part is stretched across the field.

#include <memory>
#include <string>

#include "ui/ImageButton.h"

class CDPIValueShowControl : public CImageButton {
 public:
  static constexpr uint32_t kFirstId = 3300;

  CDPIValueShowControl(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                       ControlOptions options = {});

  void Draw(platform::Canvas& canvas, const platform::Rect& update) override;
  void ReleaseImages() override;

  void LoadDefaultImages();
  bool SetImageEmpty(std::u16string_view path) { return LoadImageFile(path, m_pImageEmpty); }
  bool SetImageFilled(std::u16string_view path) { return LoadImageFile(path, m_pImageFilled); }

  // Register indices and the table size; an index at or beyond the count fills the bar, an
  // empty table fills nothing.
  void SetIndexes(int xIndex, int yIndex, int count);
  int XIndex() const { return m_nX; }
  int YIndex() const { return m_nY; }
  int Count() const { return m_nCount; }
  // Width of the filled part in pixels.
  int FilledWidth() const;
  // The DPI texts of both axes; an empty Y text gives one line.
  void SetTexts(std::u16string_view x, std::u16string_view y);
  const std::u16string& GetYText() const { return m_strY; }
  // A level that is switched off: no filled part, grey text. It still opens its dialog.
  void SetDimmed(bool dimmed) { m_bDimmed = dimmed; }
  bool IsDimmed() const { return m_bDimmed; }

 protected:
  void NotifyClicked(int x, int y) override;

 private:
  int m_nX = 0;
  int m_nY = 0;
  int m_nCount = 0;
  std::u16string m_strY;
  std::unique_ptr<platform::Image> m_pImageEmpty;
  std::unique_ptr<platform::Image> m_pImageFilled;
  bool m_bDimmed = false;
};
