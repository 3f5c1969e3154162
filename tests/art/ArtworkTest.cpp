// The artwork beside the executable and in its resources: every picture the program draws
// exists, decodes, and has the size its controls are laid out for.

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "adapters/headless/HeadlessPlatform.h"
#include "base/AppGlobals.h"
#include "base/StdioFileEx.h"
#include "base/Text.h"
#include "platform/Canvas.h"
#include "platform/Platform.h"
#include "ui/SkinImage.h"

namespace {

namespace fs = std::filesystem;
const fs::path kRepo = VANTREL_SOURCE_DIR;

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Size& s) {
  return out << s.width << " x " << s.height;
}

// Resource script lines: id, type and the quoted file name without its quotes.
struct ResourceLine {
  int id = 0;
  std::string type;
  std::string file;
};

std::vector<ResourceLine> ResourceScript() {
  std::vector<ResourceLine> lines;
  std::ifstream in(kRepo / "res" / "images.rc");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line.rfind("//", 0) == 0) continue;
    std::istringstream fields(line);
    ResourceLine r;
    std::string file;
    fields >> r.id >> r.type >> file;
    EXPECT_GE(file.size(), 2u) << line;
    if (file.size() >= 2) r.file = file.substr(1, file.size() - 2);
    lines.push_back(r);
  }
  return lines;
}

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t Le32(const std::string& b, size_t at) {
  if (at + 4 > b.size()) return 0;
  return static_cast<uint32_t>(static_cast<uint8_t>(b[at])) |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}
uint16_t Le16(const std::string& b, size_t at) {
  if (at + 2 > b.size()) return 0;
  return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}

// A fully decoded PNG (RGBA), or nothing when libpng rejects it.
struct Pixels {
  Size size;
  std::vector<uint8_t> rgba;
};

std::optional<Pixels> DecodePng(const std::string& bytes) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return std::nullopt;
  image.format = PNG_FORMAT_RGBA;
  Pixels out;
  out.size = {static_cast<int>(image.width), static_cast<int>(image.height)};
  out.rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  return out;
}

// An uncompressed 24- or 32-bit Windows bitmap, decoded to RGBA (alpha 255).
std::optional<Pixels> DecodeBmp(const std::string& b) {
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return std::nullopt;
  const uint32_t offset = Le32(b, 10);
  const uint32_t header = Le32(b, 14);
  const auto width = static_cast<int32_t>(Le32(b, 18));
  const auto rawHeight = static_cast<int32_t>(Le32(b, 22));
  const uint16_t bpp = Le16(b, 28);
  const uint32_t compression = Le32(b, 30);
  if (header < 40 || width <= 0 || rawHeight == 0 || rawHeight < -100000 || width > 100000)
    return std::nullopt;
  if ((bpp != 24 && bpp != 32) || compression != 0) return std::nullopt;
  const int height = rawHeight < 0 ? -rawHeight : rawHeight;
  const size_t stride = (static_cast<size_t>(width) * bpp / 8 + 3) & ~size_t{3};
  if (offset > b.size() || b.size() - offset < stride * height) return std::nullopt;
  Pixels out;
  out.size = {width, height};
  out.rgba.resize(static_cast<size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    const int row = rawHeight < 0 ? y : height - 1 - y;  // bottom-up unless the height is negative
    for (int x = 0; x < width; ++x) {
      const size_t at = offset + row * stride + static_cast<size_t>(x) * (bpp / 8);
      uint8_t* p = &out.rgba[(static_cast<size_t>(y) * width + x) * 4];
      p[0] = static_cast<uint8_t>(b[at + 2]);
      p[1] = static_cast<uint8_t>(b[at + 1]);
      p[2] = static_cast<uint8_t>(b[at]);
      p[3] = 255;
    }
  }
  return out;
}

// The sizes held in an icon file's directory (256 is stored as 0), each entry checked to lie
// inside the file and to decode.
std::optional<std::vector<int>> IconSizes(const std::string& b) {
  if (b.size() < 6 || Le16(b, 0) != 0 || Le16(b, 2) != 1) return std::nullopt;
  const int count = Le16(b, 4);
  if (count == 0 || b.size() < 6 + 16u * count) return std::nullopt;
  std::vector<int> sizes;
  for (int i = 0; i < count; ++i) {
    const size_t entry = 6 + 16u * i;
    const int w = static_cast<uint8_t>(b[entry]) == 0 ? 256 : static_cast<uint8_t>(b[entry]);
    const int h =
        static_cast<uint8_t>(b[entry + 1]) == 0 ? 256 : static_cast<uint8_t>(b[entry + 1]);
    const uint32_t length = Le32(b, entry + 8);
    const uint32_t offset = Le32(b, entry + 12);
    if (w != h || offset > b.size() || b.size() - offset < length || length < 40)
      return std::nullopt;
    const std::string data = b.substr(offset, length);
    if (data.compare(0, 4, "\x89PNG") == 0) {
      auto png = DecodePng(data);
      if (!png || png->size != Size{w, h}) return std::nullopt;
    } else if (static_cast<int>(Le32(data, 4)) != w) {  // BITMAPINFOHEADER of the entry
      return std::nullopt;
    }
    sizes.push_back(w);
  }
  return sizes;
}

std::optional<Pixels> Decode(const fs::path& path) {
  const std::string bytes = Slurp(path);
  if (path.extension() == ".png") return DecodePng(bytes);
  if (path.extension() == ".bmp") return DecodeBmp(bytes);
  return std::nullopt;
}

struct Entry {
  std::string path;  // repo-relative, forward slashes
  Size size;
  std::string source;
  std::vector<std::string> params;
};

std::vector<Entry> ReadManifest() {
  std::vector<Entry> entries;
  std::ifstream in(kRepo / "skins-src" / "manifest.txt");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    Entry e;
    fields >> e.path >> e.size.width >> e.size.height >> e.source;
    for (std::string p; fields >> p;) e.params.push_back(p);
    for (size_t at; (at = e.path.find("%20")) != std::string::npos;) e.path.replace(at, 3, " ");
    entries.push_back(e);
  }
  return entries;
}

const std::map<std::string, Entry>& Manifest() {
  static const std::map<std::string, Entry> byPath = [] {
    std::map<std::string, Entry> m;
    for (auto& e : ReadManifest()) m.emplace(e.path, e);
    return m;
  }();
  return byPath;
}

// The program's backslash name under skins\ as a repo path.
std::string SkinPath(std::string name) {
  std::replace(name.begin(), name.end(), '\\', '/');
  return "skins/" + name;
}

// Every picture the program loads by file name, with the size fixed by its rectangle where
// the layout fixes one (0 x 0: the size is the artwork's choice, checked by the manifest).
std::vector<std::pair<std::string, Size>> ProgramImages() {
  std::vector<std::pair<std::string, Size>> list;
  auto add = [&](const std::string& name, Size size = {}) {
    list.emplace_back(SkinPath(name), size);
  };
  for (const char* state : {"nr", "ov"}) {
    add(std::string("exit_") + state + ".png", {15, 15});
    add(std::string("min_") + state + ".png", {15, 15});
    add(std::string("button2_") + state + ".png", {69, 20});
    add(std::string("add_") + state + ".png", {46, 20});
    for (const char* name :
         {"button1_", "combo2_", "combo3_", "header_", "header2_", "up_", "down_"})
      add(name + std::string(state) + ".png");
  }
  for (const char* name :
       {"profile_slot_nr", "profile_slot_ov", "profile_slot_nr2", "profile_slot_ov2"})
    add(std::string(name) + ".png", {162, 21});
  add("Frame_warning.bmp", {319, 102});
  for (const char* name : {"button4_nr",
                           "check_nr",
                           "check_ov",
                           "check_dn",
                           "check_button_dpi_nr",
                           "check_button_dpi_ov",
                           "check_button_dpi_dn",
                           "radio_nr",
                           "radio_ov",
                           "radio_dn",
                           "up_check",
                           "down_check",
                           "color_select_nr",
                           "color_select_check",
                           "dpi_value",
                           "Slider_bar",
                           "Slider_bar2",
                           "Slider_Circle",
                           "battery_full",
                           "battery_empty",
                           "battery_charging",
                           "battery_lighting",
                           "battery_green",
                           "battery_orange",
                           "battery_red",
                           "Status_Wired",
                           "Status_Wireless",
                           "Status_BLE",
                           "device name",
                           "Logo pic",
                           "mouse\\mouse_nr",
                           "mouse\\dpi_bar_1",
                           "mouse\\dpi_bar_2"})
    add(std::string(name) + ".png");
  for (const char* rate : {"125", "250", "500", "1000"})
    for (const char* state : {"nr", "ov", "dn"}) add(std::string(rate) + "hz_" + state + ".png");
  for (int n = 1; n <= 9; ++n) {
    add("mouse\\number" + std::to_string(n) + ".png");
    add("mouse\\serial_number" + std::to_string(n) + ".png");
  }
  for (int minutes = 3; minutes <= 10; ++minutes)
    add("power_manage_" + std::to_string(minutes) + "min.png");
  const std::vector<std::string> rates = {"125", "250", "500", "1000", "2000", "4000", "8000"};
  for (auto [dial, count] : std::vector<std::pair<std::string, int>>{
           {"250Hz", 2}, {"1000Hz", 4}, {"2000Hz", 5}, {"4000Hz", 6}, {"8000Hz", 7}}) {
    add("pollingRate\\" + dial + ".png");
    for (int i = 0; i < count; ++i) add("pollingRate\\" + dial + "_" + rates[i] + ".png");
  }
  return list;
}

TEST(Artwork, EveryManifestPictureExistsDecodesAndHasItsSize) {
  ASSERT_GT(Manifest().size(), 100u) << "manifest missing or nearly empty";
  for (const auto& [path, entry] : Manifest()) {
    SCOPED_TRACE(path);
    const fs::path file = kRepo / path;
    ASSERT_TRUE(fs::is_regular_file(file));
    if (file.extension() == ".ico") {
      auto sizes = IconSizes(Slurp(file));
      ASSERT_TRUE(sizes.has_value()) << "icon does not decode";
      for (int wanted : {16, 32, 48, 256})
        EXPECT_NE(std::find(sizes->begin(), sizes->end(), wanted), sizes->end()) << wanted;
      continue;
    }
    auto pixels = Decode(file);
    ASSERT_TRUE(pixels.has_value()) << "does not decode";
    EXPECT_EQ(pixels->size, entry.size);
  }
}

TEST(Artwork, EveryPictureTheProgramLoadsIsListedWithItsLayoutSize) {
  for (const auto& [path, size] : ProgramImages()) {
    SCOPED_TRACE(path);
    auto it = Manifest().find(path);
    ASSERT_NE(it, Manifest().end()) << "not in the manifest";
    if (size.width != 0) {
      EXPECT_EQ(it->second.size, size);
    }
  }
}

TEST(Artwork, PlatformLoadsEverySkinFileAndResourceAtItsSize) {
  platform::headless::HeadlessPlatform platform;
  platform.UseInstallation(kRepo);
  const std::u16string exeDir = base::FolderOf(platform.files().ExecutablePath());
  int files = 0;
  for (const auto& [path, entry] : Manifest()) {
    if (path.rfind("skins/", 0) != 0) continue;
    SCOPED_TRACE(path);
    std::string name = path;
    std::replace(name.begin(), name.end(), '/', '\\');
    auto image = platform::Gfx().LoadImageFile(exeDir + base::FromUtf8(name));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ((Size{image->Width(), image->Height()}), entry.size);
    ++files;
  }
  EXPECT_GT(files, 100);
  struct Resource {
    int id;
    bool png;
    Size size;
  };
  for (const Resource& r : {Resource{364, false, {1127, 740}}, Resource{287, false, {500, 291}},
                            Resource{151, true, Manifest().at("res/popup_bg.png").size},
                            Resource{187, true, Manifest().at("res/scroll_down.png").size},
                            Resource{188, true, Manifest().at("res/scroll_up.png").size}}) {
    SCOPED_TRACE(r.id);
    auto image =
        r.png ? platform::Gfx().LoadPngResource(r.id) : platform::Gfx().LoadBitmapResource(r.id);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ((Size{image->Width(), image->Height()}), r.size);
  }
}

// --- the 1.5x and 2x sets ---

constexpr int kSets[] = {150, 200};

bool HasSets(const Entry& e) {
  if (fs::path(e.path).extension() == ".ico") return false;
  return std::find(e.params.begin(), e.params.end(), "SETS=none") == e.params.end();
}

// skins/x.bmp -> skins/@200/x.png, as render.sh writes it.
std::string SetPath(const std::string& path, int percent) {
  const size_t slash = path.find('/');
  std::string rest = path.substr(slash + 1);
  if (fs::path(rest).extension() == ".bmp") rest = rest.substr(0, rest.size() - 4) + ".png";
  return path.substr(0, slash) + "/@" + std::to_string(percent) + "/" + rest;
}

int FrameCount(const Entry& e) {
  for (const std::string& p : e.params) {
    if (p.rfind("FRAMES=", 0) == 0)
      return static_cast<int>(std::count(p.begin(), p.end(), ',')) + 1;
  }
  return 1;
}

TEST(Artwork, EveryPictureHasA15xAnd2xSetPictureOfItsSizeTimesTheScale) {
  int checked = 0;
  for (const auto& [path, entry] : Manifest()) {
    if (!HasSets(entry)) {
      for (int percent : kSets) EXPECT_FALSE(fs::exists(kRepo / SetPath(path, percent))) << path;
      continue;
    }
    for (int percent : kSets) {
      const std::string file = SetPath(path, percent);
      SCOPED_TRACE(file);
      auto pixels = DecodePng(Slurp(kRepo / file));
      ASSERT_TRUE(pixels.has_value()) << "missing or does not decode";
      EXPECT_EQ(pixels->size,
                (Size{entry.size.width * percent / 100, entry.size.height * percent / 100}));
      // Whole frames: every frame of a strip as wide as the 1x frame times the scale.
      const int frames = FrameCount(entry);
      EXPECT_EQ(pixels->size.width % frames, 0);
      EXPECT_EQ(pixels->size.width / frames, entry.size.width / frames * percent / 100);
      ++checked;
    }
  }
  EXPECT_GT(checked, 300);
}

// Bytes of a file and bytes of it deflated at the level the portable zip uses.
std::pair<uintmax_t, uintmax_t> RawAndDeflated(const fs::path& path) {
  const std::string bytes = Slurp(path);
  uLongf size = compressBound(static_cast<uLong>(bytes.size()));
  std::vector<Bytef> out(size);
  if (compress2(out.data(), &size, reinterpret_cast<const Bytef*>(bytes.data()),
                static_cast<uLong>(bytes.size()), 9) != Z_OK) {
    size = static_cast<uLongf>(bytes.size());
  }
  return {bytes.size(), size};
}

// What the sets add to the package, against the 1x artwork (skins and the resource pictures),
// as files and as the zip carries them.
TEST(Artwork, The2xSetAddsAtMostTwiceThe1xArtwork) {
  std::pair<uintmax_t, uintmax_t> base{};
  std::map<int, std::pair<uintmax_t, uintmax_t>> sets;
  auto add = [](std::pair<uintmax_t, uintmax_t>& sum, const fs::path& file) {
    const auto [raw, deflated] = RawAndDeflated(file);
    sum.first += raw;
    sum.second += deflated;
  };
  for (const auto& [path, entry] : Manifest()) {
    add(base, kRepo / path);
    if (!HasSets(entry)) continue;
    for (int percent : kSets) add(sets[percent], kRepo / SetPath(path, percent));
  }
  for (int percent : kSets) {
    RecordProperty("bytes_" + std::to_string(percent), std::to_string(sets[percent].first));
    RecordProperty("zipped_" + std::to_string(percent), std::to_string(sets[percent].second));
  }
  RecordProperty("bytes_100", std::to_string(base.first));
  RecordProperty("zipped_100", std::to_string(base.second));
  EXPECT_LE(sets[200].first, 2 * base.first);
  EXPECT_LE(sets[200].second, 2 * base.second);
  EXPECT_LE(sets[150].first, sets[200].first);
}

TEST(Artwork, ResourcePicturesHaveTheirSetsAsPngResources) {
  std::map<std::pair<std::string, int>, std::string> resources;
  for (const ResourceLine& r : ResourceScript()) resources[{r.type, r.id}] = "res/" + r.file;
  platform::headless::HeadlessPlatform platform;
  platform.UseInstallation(kRepo);
  for (const auto& [key, path] : std::map(resources)) {
    if (key.second >= 15000) continue;
    const Entry& entry = Manifest().at(path);
    for (int percent : kSets) {
      SCOPED_TRACE(path + " at " + std::to_string(percent));
      const auto set = resources.find({"PNG", percent * 100 + key.second});
      if (!HasSets(entry)) {
        EXPECT_EQ(set, resources.end());
        continue;
      }
      ASSERT_NE(set, resources.end());
      EXPECT_EQ(set->second, SetPath(path, percent));
      auto image = platform::Gfx().LoadPngResource(percent * 100 + key.second);
      ASSERT_NE(image, nullptr);
      EXPECT_EQ((Size{image->Width(), image->Height()}),
                (Size{entry.size.width * percent / 100, entry.size.height * percent / 100}));
    }
  }
}

// The program's own loader on the real resources: the set for the scale, 1x without a set.
TEST(Artwork, ResourcePicturesLoadFromTheSetForTheScale) {
  platform::headless::HeadlessPlatform platform;
  platform.UseInstallation(kRepo);
  const struct {
    float scale;
    int id;
    bool bitmap;
    float loaded;
  } table[] = {{1.0f, 364, true, 1.0f},   {2.0f, 364, true, 2.0f},  {1.25f, 364, true, 1.5f},
               {2.0f, 151, false, 2.0f},  {1.5f, 188, false, 1.5f}, {2.0f, 287, true, 1.0f},
               {2.0f, 20364, false, 1.0f}};
  for (const auto& row : table) {
    SCOPED_TRACE(std::to_string(row.id) + " at " + std::to_string(row.scale));
    g_fUiScale = row.scale;
    auto image = row.bitmap ? ui::LoadBitmapResource(row.id) : ui::LoadPngResource(row.id);
    ASSERT_NE(image, nullptr);
    EXPECT_FLOAT_EQ(image->Scale(), row.loaded);
    if (row.id == 364) {
      EXPECT_EQ(ui::LayoutSize(*image).cx, 1127);
      EXPECT_EQ(ui::LayoutSize(*image).cy, 740);
    }
  }
  g_fUiScale = 1.0f;
}

TEST(Artwork, PicturesDrawnOverEachOtherShareTheirSize) {
  auto sizeOf = [](const std::string& name) { return Manifest().at(SkinPath(name)).size; };
  const std::vector<std::vector<std::string>> groups = {
      {"battery_full.png", "battery_empty.png", "battery_charging.png", "battery_lighting.png"},
      {"pollingRate\\1000Hz.png", "pollingRate\\1000Hz_125.png", "pollingRate\\1000Hz_1000.png"},
      {"pollingRate\\8000Hz.png", "pollingRate\\8000Hz_125.png", "pollingRate\\8000Hz_8000.png"},
      {"power_manage_3min.png", "power_manage_6min.png", "power_manage_10min.png"},
      {"mouse\\dpi_bar_1.png", "mouse\\dpi_bar_2.png"},
      {"mouse\\number1.png", "mouse\\serial_number1.png", "mouse\\number9.png"},
      {"profile_slot_nr.png", "profile_slot_ov2.png"},
      {"check_nr.png", "check_ov.png", "check_dn.png"},
  };
  for (const auto& group : groups)
    for (const auto& name : group) EXPECT_EQ(sizeOf(name), sizeOf(group.front())) << name;
}

// Resource script lines: id, type and file of every picture carried in the executable.
TEST(Artwork, ResourceScriptNamesEveryPictureResource) {
  std::map<int, std::pair<std::string, std::string>> resources;
  for (const ResourceLine& r : ResourceScript()) {
    EXPECT_FALSE(resources.count(r.id)) << "resource " << r.id << " twice";
    resources[r.id] = {r.type, r.file};
  }
  const std::map<int, std::pair<std::string, Size>> wanted = {
      {364, {"BITMAP", {1127, 740}}},
      {287, {"BITMAP", {500, 291}}},
      {151, {"PNG", {}}},
      {187, {"PNG", {}}},
      {188, {"PNG", {}}},
  };
  for (const auto& [id, want] : wanted) {
    SCOPED_TRACE(id);
    ASSERT_TRUE(resources.count(id));
    EXPECT_EQ(resources[id].first, want.first);
    const std::string path = "res/" + resources[id].second;
    auto it = Manifest().find(path);
    ASSERT_NE(it, Manifest().end()) << path;
    if (want.second.width != 0) {
      EXPECT_EQ(it->second.size, want.second);
    }
  }
  // The scroll-bar arrows hold three frames side by side, like the DPI level buttons.
  for (const std::string& path : {"res/" + resources[187].second, "res/" + resources[188].second,
                                  std::string("skins/dpi_value.png")})
    EXPECT_EQ(Manifest().at(path).size.width % 3, 0) << path;
  EXPECT_TRUE(fs::is_regular_file(kRepo / "res" / "vantrel.ico"));
}

TEST(Artwork, ColourPictureIsBackgroundOutsideItsTwoAreasAndNeverInsideTheSpectrum) {
  auto pixels = Decode(kRepo / "res" / "palette.bmp");
  ASSERT_TRUE(pixels.has_value());
  ASSERT_EQ(pixels->size, (Size{500, 291}));
  auto isBackground = [&](int x, int y) {
    const uint8_t* p = &pixels->rgba[(static_cast<size_t>(y) * 500 + x) * 4];
    return p[0] == 0x0F && p[1] == 0x0F && p[2] == 0x0F;
  };
  auto inside = [](int x, int y, int l, int t, int r, int b) {
    return x >= l && x < r && y >= t && y < b;
  };
  int strayOutside = 0, backgroundInSpectrum = 0;
  for (int y = 0; y < 291; ++y) {
    for (int x = 0; x < 500; ++x) {
      const bool spectrum = inside(x, y, 18, 26, 222, 270);
      const bool swatches = inside(x, y, 244, 26, 473, 190);
      const bool preview = inside(x, y, 244, 204, 474, 271);  // framed spot for the preview
      if (spectrum && isBackground(x, y)) ++backgroundInSpectrum;
      if (!spectrum && !swatches && !preview && !isBackground(x, y)) ++strayOutside;
    }
  }
  EXPECT_EQ(backgroundInSpectrum, 0);
  EXPECT_EQ(strayOutside, 0);
}

TEST(Artwork, FramesAreOpaqueAndDark) {
  // The dialog's background colour is the frame's average; it must stay dark behind the
  // light grey captions.
  for (const char* frame :
       {"res/frame_main.bmp", "skins/Frame_warning.bmp", "skins/Frame_dialog.bmp",
        "skins/Frame_dialog2.bmp", "skins/Frame_manager.bmp"}) {
    for (const std::string& path : {std::string(frame), SetPath(frame, 150), SetPath(frame, 200)}) {
      SCOPED_TRACE(path);
      auto pixels = Decode(kRepo / path);
      ASSERT_TRUE(pixels.has_value());
      uint64_t sum = 0;
      bool opaque = true;
      for (size_t i = 0; i < pixels->rgba.size(); i += 4) {
        sum += pixels->rgba[i] + pixels->rgba[i + 1] + pixels->rgba[i + 2];
        opaque = opaque && pixels->rgba[i + 3] == 255;
      }
      const double average = static_cast<double>(sum) / (3.0 * pixels->rgba.size() / 4);
      EXPECT_LT(average, 48.0);
      EXPECT_TRUE(opaque);
    }
  }
}

// skins\dial_regions.txt, read as the program reads its files.
struct Region {
  std::string dial;
  int index = -1;
  std::vector<std::pair<int, int>> points;
};

std::vector<Region> ReadRegions() {
  platform::headless::HeadlessPlatform platform;
  platform.files().Mount(u"C:\\Program Files\\Vantrel\\", kRepo);
  CStdioFileEx file;
  std::vector<Region> regions;
  if (!file.Open(u"C:\\Program Files\\Vantrel\\skins\\dial_regions.txt", CStdioFileEx::kReadFlags))
    return regions;
  std::u16string line;
  while (file.ReadString(line)) {
    if (line.empty() || line[0] == u'#') continue;
    std::istringstream fields(base::ToUtf8(line));
    Region r;
    fields >> r.dial >> r.index;
    for (std::string point; fields >> point;) {
      int x = 0, y = 0;
      char comma = 0;
      std::istringstream p(point);
      p >> x >> comma >> y;
      r.points.emplace_back(x, y);
    }
    regions.push_back(r);
  }
  return regions;
}

bool InsidePolygon(const std::vector<std::pair<int, int>>& poly, double x, double y) {
  bool in = false;
  for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const double xi = poly[i].first, yi = poly[i].second, xj = poly[j].first, yj = poly[j].second;
    if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
  }
  return in;
}

TEST(Artwork, DialRegionsFitTheirImagesAndAreLitWhereTheyLie) {
  const auto regions = ReadRegions();
  ASSERT_FALSE(regions.empty());
  const std::map<std::string, int> counts = {{"250Hz", 2},  {"1000Hz", 4}, {"2000Hz", 5},
                                             {"4000Hz", 6}, {"8000Hz", 7}, {"power", 8}};
  const std::vector<std::string> rates = {"125", "250", "500", "1000", "2000", "4000", "8000"};
  std::map<std::string, int> seen;
  for (const auto& r : regions) {
    SCOPED_TRACE(r.dial + " " + std::to_string(r.index));
    ASSERT_TRUE(counts.count(r.dial));
    EXPECT_EQ(r.index, seen[r.dial]++) << "regions out of order";
    ASSERT_GE(r.points.size(), 3u);
    const bool power = r.dial == "power";
    const std::string base =
        power ? "skins/power_manage_3min.png" : "skins/pollingRate/" + r.dial + ".png";
    const Size size = Manifest().at(base).size;
    double cx = 0, cy = 0;
    int top = size.height;
    for (auto [x, y] : r.points) {
      EXPECT_TRUE(x >= 0 && y >= 0 && x <= size.width && y <= size.height) << x << "," << y;
      cx += x;
      cy += y;
      top = std::min(top, y);
    }
    cx /= r.points.size();
    cy /= r.points.size();
    ASSERT_TRUE(InsidePolygon(r.points, cx, cy));
    // The picture for this region's choice is lit in the region (just below its top, clear of
    // the numeral), and the idle picture is not.
    const std::string lit = power ? "skins/power_manage_" + std::to_string(r.index + 3) + "min.png"
                                  : "skins/pollingRate/" + r.dial + "_" + rates[r.index] + ".png";
    auto litPixels = Decode(kRepo / lit);
    auto basePixels = Decode(kRepo / (power ? std::string("skins/power_manage_3min.png") : base));
    ASSERT_TRUE(litPixels && basePixels);
    ASSERT_TRUE(InsidePolygon(r.points, cx, top + 3));
    const size_t at = (static_cast<size_t>(top + 3) * size.width + static_cast<size_t>(cx)) * 4;
    const uint8_t* p = &litPixels->rgba[at];
    EXPECT_TRUE(p[3] > 200 && p[2] > p[0] + 40) << "choice picture not lit at the region";
    if (r.index > 0) {
      const uint8_t* q = &basePixels->rgba[at];
      EXPECT_FALSE(q[3] > 200 && q[2] > q[0] + 40) << "idle picture lit at the region";
    }
  }
  for (const auto& [dial, count] : counts) EXPECT_EQ(seen[dial], count) << dial;
}

}  // namespace
