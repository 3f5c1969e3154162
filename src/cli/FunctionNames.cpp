#include "cli/FunctionNames.h"

#include <optional>

#include "base/Language.h"
#include "base/Text.h"
#include "cli/DataFolder.h"
#include "device/MacroDownload.h"
#include "keys/KeyTables.h"
#include "keys/MenuCodes.h"

namespace {

using BFC = ButtonFunctionCode;

// Case, spaces, hyphens and underscores do not matter in typed names.
std::string Fold(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == ' ' || c == '-' || c == '_') continue;
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    out += c;
  }
  return out;
}

std::string Fold(std::u16string_view text) {
  return Fold(base::ToUtf8(text));
}

bool StartsWithFolded(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && Fold(text.substr(0, prefix.size())) == Fold(prefix);
}

struct MenuFunction {
  int textId;                 // 0 for a DPI-lock entry
  std::u16string_view label;  // DPI-lock entries
  ButtonFunctionCode code;
};

std::vector<MenuFunction> MenuFunctions() {
  std::vector<MenuFunction> all;
  for (const auto& item : keys::kFunctionMenu) {
    if (item.kind == keys::MenuItemKind::Function) all.push_back({item.textId, {}, item.code});
  }
  auto add = [&all](const auto& menu) {
    for (const auto& item : menu) all.push_back({item.textId, item.label, item.code});
  };
  add(keys::kDpiMenu);
  add(keys::kMultimediaMenu);
  add(keys::kOfficeMenu);
  add(keys::kWindowsManageMenu);
  add(keys::kDpiLockMenu);
  return all;
}

// The shortcut editor ignores these keys; the generic Shift, Ctrl and Alt are modifiers here.
bool IsModifierKey(int code) {
  return code == 0x5B || code == 0x5C || (code >= 0xA0 && code <= 0xA5) ||
         (code >= 0x10 && code <= 0x12);
}

}  // namespace

std::vector<std::string> FunctionNames::MenuNames() const {
  std::vector<std::string> names;
  for (const MenuFunction& f : MenuFunctions()) {
    if (f.textId != 0) {
      names.push_back(base::ToUtf8(m_data.EnglishText(f.textId)));
    } else {
      names.push_back(base::ToUtf8(m_data.EnglishText(36)) + "-" + base::ToUtf8(f.label));
    }
  }
  return names;
}

// A menu item, by its English name or its name in the program's language.
std::optional<FunctionNames::Function> FunctionNames::Menu(std::string_view folded) const {
  for (const MenuFunction& f : MenuFunctions()) {
    std::u16string english;
    std::u16string own;
    if (f.textId != 0) {
      english = m_data.EnglishText(f.textId);
      own = LangText(f.textId);
    } else {
      english = m_data.EnglishText(36) + u"-" + std::u16string(f.label);
      own = LangText(36) + u"-" + std::u16string(f.label);
    }
    if ((!english.empty() && folded == Fold(english)) || (!own.empty() && folded == Fold(own))) {
      // Stored as the menu stores it: the item's text in the program's language.
      return Function{own.empty() ? english : own, f.code, {}, nullptr};
    }
  }

  return std::nullopt;
}

// Rapid fire, launch, macros and shooting actions: a prefix and what follows it.
std::optional<FunctionNames::Parsed> FunctionNames::Prefixed(std::string_view text) const {
  if (StartsWithFolded(text, "rapid fire:") || StartsWithFolded(text, "rapidfire:")) {
    const std::string_view values = text.substr(text.find(':') + 1);
    const size_t comma = values.find(',');
    const auto interval = base::ParseStrictInt(values.substr(0, comma), 5, 255);
    const auto repeats = comma == std::string_view::npos
                             ? std::nullopt
                             : base::ParseStrictInt(values.substr(comma + 1), 0, 255);
    if (!interval || !repeats) {
      return std::string(
          "rapid fire takes an interval of 5 to 255 and repeats of 0 to 255, "
          "e.g. rapid fire:50,3");
    }
    return Function{
        LangText(26),
        BFC::Make(BFC::RapidFire, static_cast<uint8_t>(*interval), static_cast<uint8_t>(*repeats)),
        {},
        nullptr};
  }
  if (StartsWithFolded(text, "launch:")) {
    const std::string_view target = text.substr(text.find(':') + 1);
    if (target.empty()) return std::string("launch: needs the program to start");
    const std::u16string url = base::FromUtf8(target);
    const size_t slash = url.find_last_of(u"/\\");
    return Function{slash == std::u16string::npos ? url : url.substr(slash + 1),
                    BFC::Make(BFC::HostFunction, BFC::kHostLaunch), url, nullptr};
  }
  if (StartsWithFolded(text, "macro:")) return Macro(text.substr(text.find(':') + 1), false);
  if (StartsWithFolded(text, "shooting:")) return Macro(text.substr(text.find(':') + 1), true);
  // The names the selection dialogs store.
  for (const bool shooting : {false, true}) {
    for (const std::u16string& prefix :
         {LangText(shooting ? 189 : 190), m_data.EnglishText(shooting ? 189 : 190)}) {
      const std::string p = base::ToUtf8(prefix);
      if (!p.empty() && text.size() > p.size() && text.substr(0, p.size()) == p) {
        return Macro(text.substr(p.size()), shooting);
      }
    }
  }

  return std::nullopt;
}

// A key combination: modifiers joined by "+", then at most one key.
std::optional<FunctionNames::Parsed> FunctionNames::KeyCombination(std::string_view text) {
  uint8_t modifiers = 0;
  int key = -1;
  bool bad = false;
  std::string_view rest = text;
  while (!rest.empty() && !bad) {
    const size_t plus = rest.find('+');
    const std::string part = Fold(rest.substr(0, plus));
    rest = plus == std::string_view::npos ? std::string_view() : rest.substr(plus + 1);
    if (plus != std::string_view::npos && rest.empty()) bad = true;  // a trailing "+"
    if (part == "ctrl" || part == "control") {
      modifiers |= BFC::kCtrl;
    } else if (part == "shift") {
      modifiers |= BFC::kShift;
    } else if (part == "alt") {
      modifiers |= BFC::kAlt;
    } else if (part == "win" || part == "windows" || part == "super") {
      modifiers |= BFC::kWin;
    } else if (key < 0 && !part.empty()) {
      for (int code = 0; code < 256 && key < 0; ++code) {
        const std::u16string_view name = keys::KeyName(static_cast<uint8_t>(code));
        if (name != u"Undefined" && !IsModifierKey(code) && Fold(name) == part) key = code;
      }
      if (key < 0) bad = true;
    } else {
      bad = true;  // a second key, or an empty part
    }
  }
  if (!bad && (key >= 0 || modifiers != 0)) {
    const uint8_t usage = key >= 0 ? keys::KeyUsage(static_cast<uint8_t>(key)) : 0;
    if (key >= 0 && (usage == 0 || usage >= 0xF0)) {
      return base::ToUtf8(keys::KeyName(static_cast<uint8_t>(key))) +
             " cannot be sent by the mouse as a key";
    }
    // Named as the shortcut editor names it: prefixes in a fixed order, then the key.
    std::u16string name;
    if (modifiers & BFC::kCtrl) name += u"Ctrl+";
    if (modifiers & BFC::kShift) name += u"Shift+";
    if (modifiers & BFC::kAlt) name += u"Alt+";
    if (modifiers & BFC::kWin) name += u"Win+";
    if (key >= 0) {
      name += keys::KeyName(static_cast<uint8_t>(key));
    } else {
      name.pop_back();
    }
    return Function{name, BFC::Make(BFC::KeyCombination, modifiers, usage), {}, nullptr};
  }

  return std::nullopt;
}

FunctionNames::Parsed FunctionNames::Parse(std::string_view text) const {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty()) return std::string("no function given");
  if (auto menu = Menu(Fold(text))) return *menu;
  if (auto prefixed = Prefixed(text)) return *prefixed;
  if (auto keys = KeyCombination(text)) return *keys;
  std::string names;
  for (const std::string& n : MenuNames()) names += (names.empty() ? "" : ", ") + n;
  return "unknown function \"" + std::string(text) + "\". Accepted: " + names +
         "; a key combination such as Ctrl+C or Alt+F4; rapid fire:<interval>,<repeats>; "
         "launch:<program>; macro:<name>; shooting:<name>";
}

std::variant<FunctionNames::Function, std::string> FunctionNames::Macro(std::string_view typed,
                                                                        bool shooting) const {
  const MacroLibrary& library = shooting ? m_data.bullets : m_data.macros;
  const char* kind = shooting ? "shooting action" : "macro";
  const std::u16string wanted = base::FromUtf8(typed);
  struct Match {
    std::u16string path;
    const LibraryEntry* entry;
  };
  std::vector<Match> matches;
  std::vector<std::u16string> all;
  for (int32_t stage = 0; stage < LibraryLocation::kLevels; ++stage) {
    library.ForEachEntry(stage, [&](const LibraryLocation& at, const LibraryEntry& entry) {
      if (!entry.IsMacro()) return;
      std::u16string path = entry.name;
      if (at.stage >= 1) {
        LibraryLocation parent = LibraryLocation::Level0(at.stage0Index);
        std::u16string folders;
        if (const LibraryEntry* p = library.EntryAt(parent)) folders = p->name + u"/";
        if (at.stage == 2) {
          parent = LibraryLocation::Level1(at.stage0Index, at.stage1Index);
          if (const LibraryEntry* p = library.EntryAt(parent)) folders += p->name + u"/";
        }
        path = folders + path;
      }
      all.push_back(path);
      if (entry.name == wanted || path == wanted) matches.push_back({path, &entry});
    });
  }
  if (matches.empty()) {
    std::string known;
    for (const auto& p : all) known += (known.empty() ? "" : ", ") + base::ToUtf8(p);
    return "no " + std::string(kind) + " named \"" + std::string(typed) + "\" in the library" +
           (known.empty() ? " (it is empty)" : ". It holds: " + known);
  }
  if (matches.size() > 1) {
    std::string paths;
    for (const auto& m : matches) paths += (paths.empty() ? "" : ", ") + base::ToUtf8(m.path);
    return "several " + std::string(kind) + "s are named \"" + std::string(typed) +
           "\"; give the folder too: " + paths;
  }
  const LibraryEntry& entry = *matches.front().entry;
  const MacroRecord& record = *entry.record;
  if (record.MacroKeyIndex == 0) {
    return "the " + std::string(kind) + " \"" + std::string(typed) +
           "\" has no number in its library and cannot be assigned";
  }
  MacroDownload::WorkBuffer scratch;
  if (!MacroDownload::BuildDeviceRecord(record, 1, scratch)) {
    return "the " + std::string(kind) + " \"" + std::string(typed) +
           "\" is too long for the mouse (at most " +
           std::to_string(MacroDownload::kMaxDeviceActions) + " key actions)";
  }
  return Function{
      shooting ? keys::ShootingFunctionName(entry.name) : keys::MacroFunctionName(entry.name),
      BFC::Make(shooting ? BFC::ShootingFunction : BFC::MacroFunction),
      {},
      &record};
}
