#pragma once
// Click regions of the dial controls, read from the data file the artwork writes beside the
// dial images, so that pictures and hit regions come from one source:
//
//   skins\dial_regions.txt
//
// UTF-16LE text with its byte-order mark (ASCII/UTF-8 is read too), one region per line:
//
//   <dial> <index> <x1>,<y1> <x2>,<y2> <x3>,<y3> ...
//
// <dial> names the dial ("250Hz", "1000Hz", "2000Hz", "4000Hz", "8000Hz" for the polling-rate
// dials, "power" for the power-saving dial); <index> is the region's number on that dial
// (0-based; for the polling-rate dials the rate index, 0 = 125 Hz); the points are the corners
// of the region's polygon in pixels relative to the top-left corner of the dial's image (drawn
// over the control's rectangle) at scale 1.0: at least 3 and at most 64 of them, each
// coordinate within -10000..10000. Blank lines and lines starting with '#' are ignored; a
// malformed line is skipped; when a dial and index repeat, the first line wins.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Types.h"

class CDialRegions {
 public:
  static constexpr std::u16string_view kFileName = u"dial_regions.txt";
  static constexpr size_t kMaxPoints = 64;

  using Polygon = std::vector<platform::Point>;

  // Reads skins\dial_regions.txt; a missing or unreadable file gives no regions.
  static CDialRegions Load();
  // Parses the file's bytes.
  static CDialRegions Parse(std::string_view bytes);

  std::optional<Polygon> Find(std::u16string_view dial, int index) const;
  size_t Size() const { return m_regions.size(); }

  // Even-odd rule; points on the left and top edges count as inside.
  static bool Contains(const Polygon& polygon, platform::Point p);

 private:
  struct Region {
    std::u16string dial;
    int index;
    Polygon polygon;
  };
  std::vector<Region> m_regions;
};
