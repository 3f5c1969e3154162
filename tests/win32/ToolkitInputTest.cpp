// The toolkit's text input on the Windows adapter: the clipboard as CF_UNICODETEXT and text
// measured with real fonts.

#include <gtest/gtest.h>

#include <string>

#include "Win32TestSupport.h"
#include "base/Language.h"
#include "ui/MenuPopup.h"
#include "ui/SkinImage.h"

namespace {

using win32test::TestPlatform;

struct Owner {
  struct Handler : platform::WindowHandler {
    platform::LResult OnMessage(platform::WindowId, uint32_t, platform::WParam, platform::LParam,
                                bool& handled) override {
      handled = false;
      return 0;
    }
  } handler;
  platform::WindowId id = 0;
  Owner() {
    TestPlatform();
    platform::WindowDesc desc;
    desc.className = u"VantrelClipboardTestWindow";
    desc.rect = {0, 0, 100, 100};
    desc.visible = false;
    id = platform::Windows().CreateWindow(desc, &handler);
  }
  ~Owner() { platform::Windows().DestroyWindow(id); }
};

TEST(Win32Clipboard, TextRoundTripsWithPairsAndOtherScripts) {
  Owner owner;
  ASSERT_NE(owner.id, 0u);
  auto& clipboard = platform::Clip();
  const std::u16string text = u"Müller 名前 \U0001F600\U00020BB7 end";
  ASSERT_TRUE(clipboard.SetText(owner.id, text));
  EXPECT_EQ(clipboard.GetText(owner.id), text);
  // As another program sees it.
  ASSERT_TRUE(::OpenClipboard(nullptr));
  HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(data, nullptr);
  std::wstring seen(static_cast<const wchar_t*>(::GlobalLock(data)));
  ::GlobalUnlock(data);
  ::CloseClipboard();
  EXPECT_EQ(seen, platform::win32::Wide(text));
  ASSERT_TRUE(clipboard.SetText(owner.id, u""));
  EXPECT_EQ(clipboard.GetText(owner.id), u"");
}

TEST(Win32Clipboard, ReadsNoFurtherThanAnUnterminatedBlock) {
  Owner owner;
  // Another program's block without its terminating zero.
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, 4 * sizeof(wchar_t));
  ASSERT_NE(block, nullptr);
  auto* units = static_cast<wchar_t*>(::GlobalLock(block));
  for (int i = 0; i < 4; ++i) units[i] = L'a' + i;
  ::GlobalUnlock(block);
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ASSERT_NE(::SetClipboardData(CF_UNICODETEXT, block), nullptr);
  ::CloseClipboard();
  const auto text = platform::Clip().GetText(owner.id);
  ASSERT_TRUE(text.has_value());
  // The read stays inside the block (Wine terminates it on the last unit, Windows does not).
  EXPECT_GE(text->size(), 3u);
  EXPECT_LE(text->size(), 4u);
  EXPECT_TRUE(std::u16string_view(u"abcd").starts_with(*text));

  // No text on the clipboard: nothing.
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::CloseClipboard();
  EXPECT_EQ(platform::Clip().GetText(owner.id), std::nullopt);
}

TEST(Win32Toolkit, AMenuIsWideEnoughForItsLongestRow) {
  TestPlatform();
  const std::u16string longest = u"Macro assigned to this button (none recorded)";
  CMenuPopup menu(0, {{u"Left button", 1}, {longest, 2}, {u"DPI functions", 0, true}});
  auto font = ui::CreateUiFont(g_nFontHeight, g_strFontFace);
  auto canvas = platform::Gfx().CreateCanvas(1, 1);
  ASSERT_TRUE(font && canvas);
  const int text =
      canvas->MeasureText(longest, *font, platform::dt::kSingleLine | platform::dt::kNoPrefix, 0)
          .cx;
  ASSERT_GT(text, 150);
  // The text's margin, the text, and the room of the submenu marker.
  EXPECT_EQ(menu.MeasureSize().cx, CMenuPopup::kTextLeft + text + 28);
  EXPECT_EQ(menu.MeasureSize().cy, 3 * CMenuPopup::kRowHeight + 2 * CMenuPopup::kPadding);
}

}  // namespace
