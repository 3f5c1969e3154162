// The clipboard as CF_UNICODETEXT.

#include <gtest/gtest.h>

#include <string>

#include "Win32TestSupport.h"

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
  // The system may round the block up, but the read stays inside it.
  EXPECT_EQ(text->substr(0, 4), u"abcd");
  EXPECT_LE(text->size(), 8u);

  // No text on the clipboard: nothing.
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::CloseClipboard();
  EXPECT_EQ(platform::Clip().GetText(owner.id), std::nullopt);
}

}  // namespace
