#include "adapters/win32/Win32System.h"

#include <gtest/gtest.h>

#include "Win32TestSupport.h"

namespace {

using win32test::TestPlatform;

TEST(Win32System, SecondCreationOfANamedMutexFindsItExisting) {
  TestPlatform();
  const std::u16string name =
      u"Vantrel test mutex " + platform::win32::FromWide(std::to_wstring(::GetCurrentProcessId()));
  EXPECT_FALSE(platform::Sys().CreateNamedMutexAlreadyExists(name));
  EXPECT_TRUE(platform::Sys().CreateNamedMutexAlreadyExists(name));
  EXPECT_FALSE(platform::Sys().CreateNamedMutexAlreadyExists(name + u" other"));
}

TEST(Win32System, ResourcesByTypeAndId) {
  TestPlatform();
  platform::System& system = platform::Sys();

  EXPECT_EQ(system.LoadResource(u"BIN", 9003), std::string("abc\0xyz", 7));

  // Icon 128 is a group icon (type 14) whose entries point at icon images (type 3).
  std::optional<std::string> group = system.LoadResource(u"#14", 128);
  ASSERT_TRUE(group.has_value());
  ASSERT_GE(group->size(), 6u);
  EXPECT_EQ((*group)[2], 1);  // resource type: icon
  EXPECT_GE((*group)[4], 1);  // at least one image

  std::optional<std::string> png = system.LoadResource(u"PNG", 9001);
  ASSERT_TRUE(png.has_value());
  EXPECT_EQ(png->substr(1, 3), "PNG");

  TestPlatform().Failures().Clear();
  EXPECT_EQ(system.LoadResource(u"BIN", 9999), std::nullopt);
  EXPECT_NE(TestPlatform().LastFailure().find("FindResourceW"), std::string::npos);
  EXPECT_EQ(system.LoadResource(u"PNG", 9003), std::nullopt);  // right id, wrong type
}

TEST(Win32Platform, InstallsEveryServiceAndStartsGdiplus) {
  TestPlatform();
  const platform::Services& services = platform::Current();
  EXPECT_NE(services.files, nullptr);
  EXPECT_NE(services.clock, nullptr);
  EXPECT_NE(services.windows, nullptr);
  EXPECT_NE(services.graphics, nullptr);
  EXPECT_NE(services.hid, nullptr);
  EXPECT_NE(services.shell, nullptr);
  EXPECT_NE(services.tray, nullptr);
  EXPECT_NE(services.system, nullptr);
  EXPECT_TRUE(TestPlatform().GdiplusStarted());
}

}  // namespace
