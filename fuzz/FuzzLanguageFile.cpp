// Feeds arbitrary bytes to the text-file reader and the language loader: any file a user or
// a broken disk leaves behind must load without crashing or writing out of bounds.

#include <cstddef>
#include <cstdint>
#include <string>

#include "adapters/headless/HeadlessPlatform.h"
#include "base/AppGlobals.h"
#include "base/Language.h"
#include "base/StdioFileEx.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static platform::headless::HeadlessPlatform* platform = [] {
    auto* p = new platform::headless::HeadlessPlatform();
    g_strDataDir = u"C:\\Data\\";
    g_strExeDir = u"C:\\Exe\\";
    p->files().CreateDirectory(u"C:\\Data");
    p->files().CreateDirectory(u"C:\\Data\\config");
    return p;
  }();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  // The first byte picks which of the two files gets the input.
  const bool asSetting = size > 0 && (data[0] & 1);
  platform->files().WriteAll(u"C:\\Data\\config\\LanSetting.ini", asSetting ? bytes
                                                                            : std::string("\xFF\xFE"
                                                                                          "E\0N\0",
                                                                                          6));
  platform->files().WriteAll(u"C:\\Data\\config\\Lan_EN.txt", bytes);
  platform->files().WriteAll(u"C:\\Data\\config\\Lan.txt", bytes);
  ResetLanguage();
  LoadLanguage();
  CStdioFileEx file;
  if (file.Open(u"C:\\Data\\config\\Lan.txt", CStdioFileEx::kReadFlags)) {
    std::u16string line;
    while (file.ReadString(line)) {
    }
  }
  return 0;
}
