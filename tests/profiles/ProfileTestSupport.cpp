#include "ProfileTestSupport.h"

#include "base/StdioFileEx.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/Types.h"

namespace profile_test {

using platform::Rgb;

std::string ReadGolden(const char* name) {
  std::ifstream in(GoldenPath(name), std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void ExpectMatchesGolden(const char* name, const std::string& bytes) {
  if (std::getenv("VANTREL_UPDATE_GOLDEN")) {
    std::ofstream(GoldenPath(name), std::ios::binary) << bytes;
  }
  const std::string golden = ReadGolden(name);
  EXPECT_EQ(golden.size(), bytes.size()) << name;
  EXPECT_TRUE(golden == bytes) << name << " differs from the golden file";
}

namespace {

std::u16string Repeat(std::u16string_view piece, int times, std::u16string_view separator) {
  std::u16string out;
  for (int i = 0; i < times; ++i) {
    out += piece;
    if (i + 1 < times) out += separator;
  }
  return out;
}

void AddButton(std::vector<std::u16string>& lines, int k, const std::u16string& name,
               const char* code) {
  lines.push_back(F("Key%d", k) + u"Name=" + name);
  lines.push_back(F("\tKey%dURL=", k));
  lines.push_back(F("\tKey%dValue=%s", k, code));
  lines.push_back(u"\tMacroKeyIndex=0");
  lines.push_back(F("\tMacroKey%dName=", k));
  lines.push_back(u"\t\tMacroActionNum=0");
  lines.push_back(u"\t\tAllAction=" + std::u16string(1472, u'0'));
}

}  // namespace

std::vector<std::u16string> DefaultProfileLines(int slot) {
  const char16_t* names[] = {u"配置1", u"配置2", u"配置3", u"配置4", u"配置5"};
  std::vector<std::u16string> lines = {
      u"[Setting]",
      std::u16string(u"ProfileName=") + names[slot],
      u"GameFile0=",
      u"GameFile1=",
      u"GameFile2=",
      u"DoubleClickSpeed=6",
      u"PointerSpeed=5",
      u"AccelerationEnable=1",
      u"ScrollWheelSpeed=2",
      u"ScrollWheelPageEnable=0",
      u"TiltSpeed=2",
      u"Sensitivity_X=4",
      u"Sensitivity_Y=4",
      u"XYSynchronous=1",
      u"X_DPI=1",
      u"Y_DPI=1",
      u"MoveLightingOnOffMode=0",
      u"PowerDownTime=1",
      u"LiftDetectionHeight=2",
      u"KeyDebounce=2",
      u"MotionWakeup=1",
      u"AngleSnap=0",
      u"MotionSync=1",
      u"RippleControl=0",
      u"DPIOffOnFlagValue=3F",
      u"\tXYSetting1ValueX=0007",
      u"\tXYSetting1ValueY=0007",
      u"\tXYSetting2ValueX=000F",
      u"\tXYSetting2ValueY=000F",
      u"\tXYSetting3ValueX=0017",
      u"\tXYSetting3ValueY=0017",
      u"\tXYSetting4ValueX=001F",
      u"\tXYSetting4ValueY=001F",
      u"\tXYSetting5ValueX=003F",
      u"\tXYSetting5ValueY=003F",
      u"\tXYSetting6ValueX=0257",
      u"\tXYSetting6ValueY=0257",
      u"\tXYSetting7ValueX=0257",
      u"\tXYSetting7ValueY=0257",
      u"\tXYSetting8ValueX=0257",
      u"\tXYSetting8ValueY=0257",
      u"\tCurrentDPILevelValue=01",
      u"\tDPILevelIndication0Valuer=FF0000",
      u"\tDPILevelIndication1Valuer=0000FF",
      u"\tDPILevelIndication2Valuer=00FF00",
      u"\tDPILevelIndication3Valuer=FFFF00",
      u"\tDPILevelIndication4Valuer=00FFFF",
      u"\tDPILevelIndication5Valuer=FF00FF",
      u"\tDPILevelIndication6Valuer=FFFFFF",
      u"\tDPILevelIndication7Valuer=FFFFFF",
      u"\tAngleSnapValue=00",
      u"\tLiftDetectionValue=01",
      u"PollingRateName=1000HZ",
      u"\tPollingRateValue=030000",
      u"Lighting1Name=幻彩",
      u"\tLighting1ModeValue=000000",
      u"\tLighting1OffOn=01",
      u"\tLighting1Speed=01|01|01|01|01|01|01|01|01|01",
      u"\tLighting1Brightness=03|03|03|03|03|03|03|03|03|03",
  };
  const std::u16string unused = Repeat(u"00", 10, u"|") + u";";
  lines.push_back(u"\tLighting1ColorSelected=" + unused + unused +  // effects 0, 1
                  u"01|01|01|01|01|01|01|00|00|00;" +               // effect 2
                  u"01|00|00|00|00|00|00|00|00|00;" +               // effect 3
                  unused + unused +                                 // effects 4, 5
                  u"01|01|01|01|01|01|01|01|00|00;" +               // effect 6
                  unused +                                          // effect 7
                  u"01|01|00|00|00|00|00|00|00|00;" +               // effect 8
                  unused);                                          // effect 9
  const std::u16string black = Repeat(u"000000", 10, u"|") + u";";
  lines.push_back(
      u"\tLighting1FixedColor=" + black + black +
      u"FF0000|00FF00|0000FF|00FFFF|FFFF00|FF00FF|FFFFFF|000000|000000|000000;" +
      u"FF00FF|000000|000000|000000|000000|000000|000000|000000|000000|000000;" + black + black +
      u"FF0000|00FF00|0000FF|FFFF00|00FFFF|FA00FA|FFFFFF|FA46FF|000000|000000;" + black +
      u"00FF00|FA006A|000000|000000|000000|000000|000000|000000|000000|000000;" + black);
  lines.push_back(u"\tLighting1Direction=00|01|00|00|00|00|00|00|00|00");
  for (const char16_t* line :
       {u"Lighting2Name=常亮", u"\tLighting2ModeValue=010000", u"\tLighting2OffOn=00",
        u"\tLighting2Speed=00", u"\tLighting2Brightness=00", u"\tLighting2FixedColor=000000"}) {
    lines.push_back(line);
  }
  AddButton(lines, 0, u"左键", "100100");
  AddButton(lines, 1, u"右键", "100200");
  AddButton(lines, 2, u"中键", "100400");
  AddButton(lines, 3, u"前进", "101000");
  AddButton(lines, 4, u"后退", "100800");
  AddButton(lines, 5, u"DPI循环", "400100");
  return lines;
}

namespace {

// The values of the every-field profile, shared by the model and its expected lines.
uint8_t Flag(int e, int s) {
  return static_cast<uint8_t>(0x80 + 10 * e + s);
}
platform::Colour EffectColour(int e, int s) {
  return Rgb(static_cast<uint8_t>(25 * e + 1), static_cast<uint8_t>(25 * s + 2),
             static_cast<uint8_t>(10 * e + s + 3));
}
platform::Colour LevelColour(int d) {
  return Rgb(static_cast<uint8_t>(30 * d), static_cast<uint8_t>(255 - d),
             static_cast<uint8_t>(7 * d + 1));
}
uint16_t LevelX(int d) {
  return static_cast<uint16_t>(70 * d + 1);
}
uint16_t LevelY(int d) {
  return static_cast<uint16_t>(0xF000 + d);
}
MacroAction Action(int k, int n) {
  return {static_cast<uint8_t>(n), static_cast<uint8_t>(3 * n + k), static_cast<uint8_t>(255 - n),
          static_cast<uint8_t>(40 * k + n)};
}
uint32_t KeyIndex(int k) {
  return k == 5 ? 4000000000u : 1000u + static_cast<uint32_t>(k);
}

const char16_t* kPairValues[ProfileSettings::kPairCount] = {
    u"竞技=模式 A", u"C:\\Games\\a.exe",
    u" spaced ",    u"x=y=z",
    u"9",           u"10",
    u"0",           u"7",
    u"1",           u"8",
    u"3",           u"2",
    u"0",           u"5",
    u"6",           u"1",
    u"8",           u"1",
    u"12",          u"0",
    u"1",           u"0",
    u"1",
};

}  // namespace

ProfileSettings EveryFieldProfile() {
  ProfileSettings p;
  ResetProfileToDefaults(p, 0, 0x3950);
  for (int i = 0; i < ProfileSettings::kPairCount; ++i) p.pairs[i].value = kPairValues[i];
  p.pairs[4].key = u"DoubleClick";
  for (int k = 0; k < ProfileSettings::kButtonCount; ++k) {
    ButtonSlot& b = p.buttons[k];
    b.KeyName = F("宏 %d", k);
    b.KeyURL = F("C:\\Program Files\\App %d\\run.exe", k);
    b.KeyValue = {0x90, static_cast<uint8_t>(0x10 + k), static_cast<uint8_t>(k + 1)};
    b.MacroKeyIndex = KeyIndex(k);
    b.macro.name = F("连发%d", k);
    b.macro.MacroActionNum = 184;
    for (int n = 0; n < 184; ++n) b.macro.actions[n] = Action(k, n);
  }
  p.PollingRateName = u"8000HZ";
  p.PollingRateValue = {6, 0xAB, 0xCD};
  LightingZone& z = p.lighting;
  z.Lighting1OffOn = 0;
  z.Lighting1Name = u"呼吸";
  z.Lighting1ModeValue = {5, 1, 2};
  for (int e = 0; e < 10; ++e) {
    z.Lighting1Speed[e] = static_cast<uint8_t>(e + 2);
    z.Lighting1Brightness[e] = static_cast<uint8_t>(e % 3);
    z.Lighting1Direction[e] = e == 1 ? 0 : 1;
    for (int s = 0; s < 10; ++s) {
      z.Lighting1ColorSelected[e][s] = Flag(e, s);
      z.Lighting1FixedColor[e][s] = EffectColour(e, s);
    }
  }
  z.Lighting2OffOn = 1;
  z.Lighting2Name = u"单色";
  z.Lighting2ModeValue = {9, 8, 7};
  z.Lighting2Speed = 4;
  z.Lighting2Brightness = 2;
  z.Lighting2FixedColor = Rgb(0x12, 0x34, 0x56);
  p.DPIOffOnFlagValue = 0xA5;
  for (int d = 0; d < 8; ++d) {
    p.XYSettingValueX[d] = LevelX(d);
    p.XYSettingValueY[d] = LevelY(d);
    p.DPILevelIndication[d] = LevelColour(d);
  }
  p.CurrentDPILevelValue = 6;
  p.AngleSnapValue = 1;
  p.LiftDetectionValue = 2;
  return p;
}

std::vector<std::u16string> EveryFieldProfileLines() {
  const char16_t* keys[ProfileSettings::kPairCount] = {
      u"ProfileName",
      u"GameFile0",
      u"GameFile1",
      u"GameFile2",
      u"DoubleClick",
      u"PointerSpeed",
      u"AccelerationEnable",
      u"ScrollWheelSpeed",
      u"ScrollWheelPageEnable",
      u"TiltSpeed",
      u"Sensitivity_X",
      u"Sensitivity_Y",
      u"XYSynchronous",
      u"X_DPI",
      u"Y_DPI",
      u"MoveLightingOnOffMode",
      u"PowerDownTime",
      u"LiftDetectionHeight",
      u"KeyDebounce",
      u"MotionWakeup",
      u"AngleSnap",
      u"MotionSync",
      u"RippleControl",
  };
  auto rgb = [](platform::Colour c) {
    return F("%.2X%.2X%.2X", platform::RedOf(c), platform::GreenOf(c), platform::BlueOf(c));
  };
  std::vector<std::u16string> lines = {u"[Setting]"};
  for (int i = 0; i < ProfileSettings::kPairCount; ++i) {
    lines.push_back(std::u16string(keys[i]) + u"=" + kPairValues[i]);
  }
  lines.push_back(u"DPIOffOnFlagValue=A5");
  for (int d = 1; d <= 8; ++d) {
    lines.push_back(F("\tXYSetting%dValueX=%.4X", d, LevelX(d - 1)));
    lines.push_back(F("\tXYSetting%dValueY=%.4X", d, LevelY(d - 1)));
  }
  lines.push_back(u"\tCurrentDPILevelValue=06");
  for (int d = 0; d < 8; ++d) {
    lines.push_back(F("\tDPILevelIndication%dValuer=", d) + rgb(LevelColour(d)));
  }
  lines.push_back(u"\tAngleSnapValue=01");
  lines.push_back(u"\tLiftDetectionValue=02");
  lines.push_back(u"PollingRateName=8000HZ");
  lines.push_back(u"\tPollingRateValue=06ABCD");
  lines.push_back(u"Lighting1Name=呼吸");
  lines.push_back(u"\tLighting1ModeValue=050102");
  lines.push_back(u"\tLighting1OffOn=00");
  lines.push_back(u"\tLighting1Speed=02|03|04|05|06|07|08|09|0A|0B");
  lines.push_back(u"\tLighting1Brightness=00|01|02|00|01|02|00|01|02|00");
  std::u16string flags = u"\tLighting1ColorSelected=";
  std::u16string colours = u"\tLighting1FixedColor=";
  for (int e = 0; e < 10; ++e) {
    for (int s = 0; s < 10; ++s) {
      const char* end = s == 9 ? ";" : "|";
      flags += F("%.2X%s", Flag(e, s), end);
      colours += rgb(EffectColour(e, s)) + U(end);
    }
  }
  lines.push_back(flags);
  lines.push_back(colours);
  lines.push_back(u"\tLighting1Direction=01|00|01|01|01|01|01|01|01|01");
  lines.push_back(u"Lighting2Name=单色");
  lines.push_back(u"\tLighting2ModeValue=090807");
  lines.push_back(u"\tLighting2OffOn=01");
  lines.push_back(u"\tLighting2Speed=04");
  lines.push_back(u"\tLighting2Brightness=02");
  lines.push_back(u"\tLighting2FixedColor=123456");
  for (int k = 0; k < 6; ++k) {
    lines.push_back(F("Key%uName=宏 %d", k, k));
    lines.push_back(F("\tKey%uURL=C:\\Program Files\\App %d\\run.exe", k, k));
    lines.push_back(F("\tKey%uValue=90%.2X%.2X", k, 0x10 + k, k + 1));
    lines.push_back(F("\tMacroKeyIndex=%u", KeyIndex(k)));
    lines.push_back(F("\tMacroKey%uName=连发%d", k, k));
    lines.push_back(u"\t\tMacroActionNum=184");
    std::u16string all = u"\t\tAllAction=";
    for (int n = 0; n < 184; ++n) {
      const MacroAction a = Action(k, n);
      all += F("%.2X%.2X%.2X%.2X", a.b0, a.b1, a.b2, a.b3);
    }
    lines.push_back(all);
  }
  return lines;
}

std::vector<std::u16string> DefaultConfigLines() {
  std::vector<std::u16string> lines = {
      u"[Setting]",          u"NeedPassword=1",     u"Sensor=0x3950",      u"PreST=0xC6AF",
      u"Mac_ID=0xFFFFFFFF",  u"DataChange=0x1234",  u"CurrentProfile=0",   u"ProfileShowCount=3",
      u"ProfileShowList0=0", u"ProfileShowList1=1", u"ProfileShowList2=2", u"ProfileShowList3=3",
      u"ProfileShowList4=4",
  };
  for (int n = 0; n < 5; ++n) {
    lines.push_back(F("ProfileSlot%dURL=", n) + kDataDir + F("config\\default%d.psf", n));
  }
  return lines;
}

void ProfileFilesTest::SetUp() {
  SetTestLanguage();
  CStdioFileEx::ForgetUnreadableFiles();
  g_strDataDir = kDataDir;
  ASSERT_TRUE(platform.files().CreateDirectory(kDataDir.substr(0, kDataDir.size() - 1)));
  ASSERT_TRUE(platform.files().CreateDirectory(kDataDir + u"config"));
  settings.ResetToDefaults(kDataDir);
  for (int slot = 0; slot < 5; ++slot) ResetProfileToDefaults(store.profiles[slot], slot, 0x3950);
}

void ProfileFilesTest::TearDown() {
  ResetLanguage();
  CStdioFileEx::ForgetUnreadableFiles();
}

}  // namespace profile_test
