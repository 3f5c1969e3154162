#include "macros/MacroLibraryFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>

#include "base/FileBackup.h"
#include "base/Format.h"
#include "base/StdioFileEx.h"
#include "base/Text.h"

namespace {

constexpr std::u16string_view kHeader = u"[MacroLibrary]";
constexpr size_t kActionDigits = MacroRecord::kMaxActions * 8;  // 1472

enum class ActionLine { AnyLength, Exact };

void AppendLocation(std::u16string& out, std::u16string_view prefix, const LibraryLocation& l) {
  out += prefix;
  out += base::Format(u"stage=%d;stage0Index=%d;stage1Index=%d;stage2Index=%d;\n", l.stage,
                      l.stage0Index, l.stage1Index, l.stage2Index);
}

void AppendBlock(std::u16string& out, const LibraryLocation& location, const LibraryEntry& entry) {
  const std::u16string tabs(static_cast<size_t>(location.stage), u'\t');
  out += tabs + u"++++++++MacroItemName=" + entry.name + u"\n";
  AppendLocation(out, tabs + u"MacroItemLocation:", location);
  out += tabs + base::Format(u"MacroItemIsFolder=%d\n", entry.MacroItemIsFolder);
  out += tabs + base::Format(u"MacroItemFolderIsOpen=%d\n", entry.MacroItemFolderIsOpen);
  if (!entry.record) return;
  const MacroRecord& r = *entry.record;
  out += tabs + base::Format(u"MacroKeyIndex=%u\n", r.MacroKeyIndex);
  out += tabs + base::Format(u"MacroKeyLoopType=%u\n", r.MacroKeyLoopType);
  out += tabs + base::Format(u"MacroKeyLoopNum=%u\n", r.MacroKeyLoopNum);
  out += tabs + base::Format(u"MacroActionNum=%u\n", r.MacroActionNum);
  out += tabs + base::Format(u"MacroCommandActionNum=%u\n", r.MacroCommandActionNum);
  out += tabs + u"AllAction=";
  // Same digits as "%.2X%.2X%.2X%.2X" per action, without formatting 736 bytes one by one.
  std::array<char16_t, kActionDigits + 1> digits;
  char16_t* d = digits.data();
  for (const MacroAction& a : r.actions) {
    for (uint8_t b : {a.b0, a.b1, a.b2, a.b3}) {
      *d++ = base::HexDigit(b >> 4);
      *d++ = base::HexDigit(b);
    }
  }
  *d = u'\n';
  out.append(digits.data(), digits.size());
}

// Text after the first "=", or nothing when there is no "=" or it ends the line.
std::optional<std::u16string_view> ValueOf(std::u16string_view line) {
  const size_t eq = line.find(u'=');
  if (eq == std::u16string_view::npos || eq + 1 == line.size()) return std::nullopt;
  return line.substr(eq + 1);
}

// The four numbers after the 1st to 4th "=" of the line.
std::optional<LibraryLocation> ParseLocation(std::u16string_view line) {
  int32_t values[4] = {};
  size_t from = 0;
  for (int32_t& value : values) {
    const size_t eq = line.find(u'=', from);
    if (eq == std::u16string_view::npos || eq + 1 == line.size()) return std::nullopt;
    value = base::ParseDecimal(line.substr(eq + 1));
    from = eq + 1;
  }
  return LibraryLocation{values[0], values[1], values[2], values[3]};
}

int HexValue(std::u16string_view digits, size_t at) {
  return at < digits.size() ? base::HexDigitValue(digits[at]) : -1;
}

// One hex byte from two characters, read like a hex number: up to the first non-digit.
uint8_t HexByte(std::u16string_view digits, size_t at) {
  const int hi = HexValue(digits, at);
  if (hi < 0) return 0;
  const int lo = HexValue(digits, at + 1);
  return static_cast<uint8_t>(lo < 0 ? hi : hi * 16 + lo);
}

void DecodeActions(std::u16string_view digits, MacroRecord& record) {
  const size_t whole = std::min(digits.size() / 8, size_t{MacroRecord::kMaxActions});
  for (size_t i = 0; i < MacroRecord::kMaxActions; ++i) {
    const size_t at = i * 8;
    if (at >= digits.size()) break;
    uint8_t bytes[4];
    if (i < whole) {
      // The common case: eight characters present; any non-digit falls back to the rule.
      bool plain = true;
      for (size_t b = 0; b < 4 && plain; ++b) {
        const int hi = HexValue(digits, at + 2 * b);
        const int lo = HexValue(digits, at + 2 * b + 1);
        plain = hi >= 0 && lo >= 0;
        bytes[b] = static_cast<uint8_t>(hi * 16 + lo);
      }
      if (plain) {
        record.actions[i] = {bytes[0], bytes[1], bytes[2], bytes[3]};
        continue;
      }
    }
    record.actions[i] = {HexByte(digits, at), HexByte(digits, at + 2), HexByte(digits, at + 4),
                         HexByte(digits, at + 6)};
  }
}

struct ReadOutcome {
  bool opened = false;
  bool complete = false;  // every line read and every block taken over
  std::optional<LibraryLocation> selected;
};

// Walks a library or export file into a library: the head, then one block per entry.
class LibraryReader {
 public:
  LibraryReader(CStdioFileEx& file, MacroLibrary& library, ActionLine actionRule)
      : m_file(file), m_library(library), m_actionRule(actionRule) {}

  // The header, the key counter and the selected place; false when one is missing or broken.
  bool ReadHead(std::optional<LibraryLocation>& selected) {
    if (!Next() || m_line != kHeader) return false;
    const auto counter = NextValue();
    if (!counter) return false;
    // Written with "%d": a counter past 2^31 comes back negative and is taken modulo 2^32.
    m_library.SetNextKeyIndex(static_cast<uint32_t>(base::ParseLong(*counter, 10)));
    if (!Next()) return false;
    selected = ParseLocation(m_line);
    return selected.has_value();
  }

  // Every block to the end of the file; false at the first broken one. A block that names no
  // place is dropped and counted in `skipped`; it is never written anywhere else.
  bool ReadBlocks(bool& skipped) {
    if (!Next()) return true;
    for (;;) {
      bool placed = false;
      if (!ReadBlock(placed)) return false;
      if (!placed) skipped = true;
      if (!Next()) return true;
    }
  }

 private:
  bool Next() { return m_file.ReadString(m_line); }
  std::optional<std::u16string_view> NextValue() {
    if (!Next()) return std::nullopt;
    return ValueOf(m_line);
  }

  // One block from its name line, which has been read already.
  bool ReadBlock(bool& placed) {
    const auto nameValue = ValueOf(m_line);
    if (!nameValue) return false;
    const std::u16string name(*nameValue);
    if (!Next()) return false;
    const std::optional<LibraryLocation> location = ParseLocation(m_line);
    if (!location) return false;
    const auto folderFlag = NextValue();
    if (!folderFlag) return false;
    const bool folder = base::ParseLong(*folderFlag, 10) != 0;
    const auto openFlag = NextValue();
    if (!openFlag) return false;
    const bool open = base::ParseLong(*openFlag, 10) != 0;
    if (folder) {
      placed = m_library.PlaceFolder(*location, name, open);
      return true;
    }
    MacroRecord record;
    record.name = name;
    if (!ReadMacroLines(record)) return false;
    placed = m_library.PlaceMacro(*location, name, std::move(record));
    return true;
  }

  // The five numbers and the actions of a macro block.
  bool ReadMacroLines(MacroRecord& record) {
    int64_t numbers[5] = {};
    for (int64_t& number : numbers) {
      const auto value = NextValue();
      if (!value) return false;
      number = base::ParseLong(*value, 10);
    }
    record.MacroKeyIndex = static_cast<uint32_t>(numbers[0]);
    record.MacroKeyLoopType = static_cast<uint8_t>(numbers[1]);
    record.MacroKeyLoopNum = static_cast<uint8_t>(numbers[2]);
    record.MacroActionNum =
        numbers[3] < 0
            ? 0
            : static_cast<uint32_t>(std::min<int64_t>(numbers[3], MacroRecord::kMaxActions));
    record.MacroCommandActionNum = static_cast<uint8_t>(numbers[4]);
    const auto digits = NextValue();
    if (!digits) return false;
    if (m_actionRule == ActionLine::Exact && digits->size() != kActionDigits) return false;
    DecodeActions(*digits, record);
    record.ClampCounts();
    return true;
  }

  CStdioFileEx& m_file;
  MacroLibrary& m_library;
  ActionLine m_actionRule;
  std::u16string m_line;
};

ReadOutcome ReadInto(std::u16string_view path, MacroLibrary& library, ActionLine actionRule) {
  ReadOutcome outcome;
  CStdioFileEx file;
  if (!file.Open(path, CStdioFileEx::kReadFlags)) return outcome;
  outcome.opened = true;
  library.Clear();
  LibraryReader reader(file, library, actionRule);
  bool skipped = false;
  outcome.complete = reader.ReadHead(outcome.selected) && reader.ReadBlocks(skipped) && !skipped;
  return outcome;
}

void FinishRead(MacroLibrary& library, const ReadOutcome& outcome, std::u16string_view path,
                LibraryLocation* keep) {
  library.FinishPlacing(keep);
  // The counter must stay above every number in use, whatever line 2 said. When a file used
  // the top of the range, 0 makes the next macro take the lowest free number instead.
  const uint32_t highest = library.MaxKeyIndex();
  if (highest == std::numeric_limits<uint32_t>::max()) {
    library.SetNextKeyIndex(0);
  } else if (library.NextKeyIndex() <= highest || library.NextKeyIndex() == 0) {
    library.SetNextKeyIndex(highest + 1);
  }
  library.SetDamagedSource(outcome.complete ? std::u16string() : std::u16string(path));
}

}  // namespace

std::u16string LibraryFileText(const MacroLibrary& library, const LibraryLocation& selected) {
  std::u16string out;
  size_t macros = 0;
  for (int32_t stage = 0; stage < LibraryLocation::kLevels; ++stage) {
    library.ForEachEntry(stage, [&](const LibraryLocation&, const LibraryEntry&) { ++macros; });
  }
  out.reserve(256 + 1700 * macros);
  out += kHeader;
  out += u'\n';
  out += base::Format(u"MacroKeyIndex=%d\n", static_cast<int32_t>(library.NextKeyIndex()));
  AppendLocation(out, u"Select Locaton:", selected);
  for (int32_t stage = 0; stage < LibraryLocation::kLevels; ++stage) {
    library.ForEachEntry(stage, [&](const LibraryLocation& location, const LibraryEntry& entry) {
      AppendBlock(out, location, entry);
    });
  }
  return out;
}

bool WriteLibraryFile(std::u16string_view path, MacroLibrary& library,
                      const LibraryLocation& selected) {
  if (path.empty()) return false;
  if (!library.DamagedSource().empty() && library.DamagedSource() == path &&
      !base::KeepBackup(path)) {
    return false;
  }
  CStdioFileEx file;
  if (!file.Open(path, CStdioFileEx::kWriteFlags)) return false;
  file.WriteString(LibraryFileText(library, selected));
  if (!file.Close()) return false;
  // The damaged original is safe in its backup now; later saves need no copy.
  if (library.DamagedSource() == path) library.SetDamagedSource({});
  return true;
}

bool SaveLibraryFile(MacroLibrary& library) {
  return WriteLibraryFile(library.FilePath(), library, LibraryLocation::None());
}

bool ReadLibraryFileAt(std::u16string_view path, MacroLibrary& library) {
  const ReadOutcome outcome = ReadInto(path, library, ActionLine::AnyLength);
  if (!outcome.opened) return false;
  FinishRead(library, outcome, path, nullptr);
  return outcome.complete;
}

bool ReadLibraryFile(MacroLibrary& library) {
  const std::u16string path = library.FilePath();
  if (path.empty()) return false;
  return ReadLibraryFileAt(path, library);
}

bool ReadImportFile(std::u16string_view path, MacroLibrary& scratch,
                    LibraryLocation& importLocation) {
  const ReadOutcome outcome = ReadInto(path, scratch, ActionLine::Exact);
  importLocation = outcome.selected.value_or(LibraryLocation::None());
  if (!outcome.opened) return false;
  FinishRead(scratch, outcome, path, &importLocation);
  // An export file is never written back, so there is nothing to keep a copy of.
  scratch.SetDamagedSource({});
  return outcome.complete;
}
