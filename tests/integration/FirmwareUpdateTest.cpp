// The firmware update engine against the simulated mouse's flash, on the virtual clock.

#include <functional>
#include <memory>

#include "base/Language.h"
#include "base/Text.h"
#include "device/FirmwareProgress.h"
#include "device/FirmwareTestImages.h"
#include "device/FirmwareUpdater.h"
#include "integration/DeviceHarness.h"

namespace {

using R = FirmwareReport;
using Outcome = FirmwareUpdater::Outcome;
constexpr auto Wired = ConnectionMode::Wired;

struct RecordingProgress : FirmwareProgress {
  std::u16string imageLine;
  std::u16string deviceLine = u"<unset>";
  std::vector<int> numbers;
  std::vector<std::u16string> texts;
  std::vector<std::u16string> percents;
  int value = -1;
  int total = -1;

  void SetImageChecksumLine(const std::u16string& t) override { imageLine = t; }
  void SetDeviceChecksumLine(const std::u16string& t) override { deviceLine = t; }
  void SetStatus(int n, const std::u16string& t) override {
    numbers.push_back(n);
    texts.push_back(t);
  }
  void SetPercent(const std::u16string& t) override { percents.push_back(t); }
  void SetProgress(int v, int t) override {
    value = v;
    total = t;
  }
  int LastNumber() const { return numbers.empty() ? 0 : numbers.back(); }
};

// The carried images, read through the resources as the program reads them. The first call
// needs a headless platform serving the source tree.
const FirmwareImage& Carried() {
  static const FirmwareImage image = [] {
    FirmwareImage loaded;
    EXPECT_EQ(loaded.LoadFromResources(), FirmwareImage::Check::Ok);
    return loaded;
  }();
  return image;
}

const std::vector<uint8_t>& OldApplication() {
  static const auto image = firmware_test::MakeApplication(90000, 0x1234);
  return image;
}

// A mouse on the cable in application mode that allows updates, running an older
// application over the carried base region.
struct Rig {
  platform::headless::HeadlessPlatform platform;
  SimMouse mouse;
  RecordingHost host;
  DeviceLink link{host};
  RecordingProgress progress;

  Rig() {
    platform.UseInstallation(VANTREL_SOURCE_DIR);
    platform.SetHidBus(&mouse);
    host.onDeviceChange = [this](uint32_t code) { link.OnDeviceChange(code); };
    mouse.SetVersionNumber(Wired, 0x0200);
    mouse.SetFirmwareBytes(0, 1);
    mouse.Flash().InstallApplication(OldApplication());
    mouse.Flash().WriteBase(Carried().Base());
    mouse.Plug(Wired);
    link.RegisterForDeviceNotifications(host.window);
    link.ScanDevices();
  }
  ~Rig() { platform.SetHidBus(nullptr); }

  uint64_t Now() { return platform.desktop().NowMs(); }
  Outcome Run(const FirmwareImage& image = Carried()) {
    progress = RecordingProgress{};
    FirmwareUpdater updater(link, progress, image);
    updater.Open();
    return updater.Run();
  }
  // The 0xBF requests the host sent (failed ones included).
  std::vector<R> Requests() const {
    std::vector<R> out;
    for (const auto& t : mouse.Log()) {
      if (t.transfer != SimTraffic::Transfer::SetFeature || t.ReportId() != R::kReportId) continue;
      R r;
      std::copy_n(t.bytes.begin(), std::min(t.bytes.size(), R::kLength), r.bytes.begin());
      out.push_back(r);
    }
    return out;
  }
  bool RunsImage(const FirmwareImage& image = Carried()) const {
    const auto& flash = mouse.Flash().Bytes();
    const auto& app = image.Application();
    return std::equal(app.begin(), app.end(), flash.begin() + R::kAppHeader);
  }
  bool HoldsBase(const FirmwareImage& image = Carried()) const {
    const auto& flash = mouse.Flash().Bytes();
    return std::equal(flash.begin(), flash.begin() + R::kBaseEnd, image.Base().begin());
  }
};

class FirmwareUpdateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetLanguage();
    g_strLangText[295] = u"Writing base";
    g_strLangText[297] = u"Checking base";
    g_strLangText[304] = u"Restarting the mouse";
    g_strLangText[306] = u"Reconnecting";
  }
  void TearDown() override { ResetLanguage(); }
  std::unique_ptr<Rig> rig = std::make_unique<Rig>();
};

int Count(const std::vector<R>& requests, uint8_t op) {
  return static_cast<int>(std::count_if(requests.begin(), requests.end(),
                                        [op](const R& r) { return r.operation() == op; }));
}

TEST(FirmwareImageTest, CarriedImagesMeetTheLayout) {
  platform::headless::HeadlessPlatform platform;
  platform.UseInstallation(VANTREL_SOURCE_DIR);
  const FirmwareImage& image = Carried();
  ASSERT_TRUE(image.HasApplication());
  EXPECT_EQ(image.Application().size(), 101568u);
  EXPECT_EQ(image.BlockCount(), 794u);
  EXPECT_EQ(size_t{image.Header().lengthWords} * 4, image.Application().size());
  EXPECT_EQ(image.Base().size(), size_t{R::kBaseEnd});
}

TEST(FirmwareImageTest, BrokenImagesAreRejectedBeforeAnythingIsSent) {
  using Check = FirmwareImage::Check;
  auto good = firmware_test::MakeApplication(4096, 7);
  auto badCrc = good;
  badCrc[100] ^= 1;
  auto longHeader = good;
  longHeader[6] = 0x01;
  longHeader[7] = 0x04;  // 1025 words = 4100 bytes
  firmware_test::Seal(longHeader);
  longHeader[6] = 0x01;
  longHeader[7] = 0x04;
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    Check expected;
  };
  const Case cases[] = {
      {"good", good, Check::Ok},
      {"missing", {}, Check::Missing},
      {"header only", std::vector<uint8_t>(16, 0), Check::Malformed},
      {"checksum does not match", badCrc, Check::Malformed},
      {"length beyond the image", longHeader, Check::Malformed},
      {"too large", firmware_test::MakeApplication(FirmwareImage::kApplicationLimit + 4, 1),
       Check::TooLarge},
      {"at the limit", firmware_test::MakeApplication(FirmwareImage::kApplicationLimit, 1),
       Check::Ok},
  };
  for (const Case& c : cases) {
    FirmwareImage image;
    EXPECT_EQ(image.SetApplication(c.bytes), c.expected) << c.what;
    EXPECT_EQ(image.HasApplication(), c.expected == Check::Ok) << c.what;
  }
  FirmwareImage image;
  EXPECT_EQ(image.SetBase(std::vector<uint8_t>(R::kBaseEnd - 1)), Check::Malformed);
  EXPECT_EQ(image.SetBase(std::vector<uint8_t>(FirmwareImage::kBaseLimit + 1)), Check::TooLarge);
  EXPECT_FALSE(image.HasBase());

  // Nothing reaches the mouse without a valid application image.
  platform::headless::HeadlessPlatform platform;
  RecordingHost host;
  DeviceLink link(host);
  RecordingProgress progress;
  FirmwareUpdater updater(link, progress, image);
  updater.Open();
  EXPECT_EQ(updater.Run(), Outcome::NoImage);
}

TEST_F(FirmwareUpdateTest, FullUpdateWritesVerifiesCommitsAndComesBack) {
  const uint64_t t0 = rig->Now();
  ASSERT_EQ(rig->Run(), Outcome::Updated);
  const uint64_t took = rig->Now() - t0;
  EXPECT_TRUE(rig->RunsImage());
  EXPECT_EQ(rig->mouse.Restarts(), 1);
  EXPECT_EQ(rig->mouse.Flash().Installs(), 1);

  const auto requests = rig->Requests();
  std::vector<int> writeLengths;
  for (const R& r : requests) {
    if (r.operation() == R::kTransfer && r.writeLength() > 0) {
      EXPECT_EQ(r.address(), R::kUpdateArea + 128 * writeLengths.size());
      writeLengths.push_back(r.writeLength());
    }
  }
  ASSERT_EQ(writeLengths.size(), 794u);
  EXPECT_EQ(std::count(writeLengths.begin(), writeLengths.end(), 128), 793);
  EXPECT_EQ(writeLengths.back(), 64);
  EXPECT_EQ(Count(requests, R::kEraseUpdateArea), 0) << "the update area was empty";
  EXPECT_EQ(Count(requests, R::kProtection), 0) << "the base window matched";

  EXPECT_EQ(rig->progress.total, 3970);
  EXPECT_EQ(rig->progress.value, 3970);
  ASSERT_GE(rig->progress.percents.size(), 2u);
  EXPECT_EQ(rig->progress.percents.front(), u"0%");
  EXPECT_EQ(rig->progress.percents[1], u"0.1%") << "after the first block";
  EXPECT_EQ(rig->progress.percents.back(), u"100.0%");
  EXPECT_EQ(rig->progress.LastNumber(), 293);
  const auto countdown = std::find(rig->progress.texts.begin(), rig->progress.texts.end(),
                                   u"Restarting the mouse  ....3");
  EXPECT_NE(countdown, rig->progress.texts.end());
  EXPECT_NE(
      std::find(rig->progress.texts.begin(), rig->progress.texts.end(), u"Reconnecting  ....1"),
      rig->progress.texts.end());
  EXPECT_FALSE(rig->link.ExpectedRemoval());
  EXPECT_TRUE(rig->host.ends.empty()) << "the restart did not end the program";

  // The whole update costs exactly the waits it is made of.
  const uint64_t blocks = 794;
  const uint64_t expected = 10                           // device checksum: request, answer
                            + 32 * 10                    // one pass over the matching base window
                            + 5                          // look at the update area
                            + blocks * 40 + blocks * 10  // write, read back
                            + 510                        // commit
                            + 26 * 1000                  // restart, wait, reconnect
                            + 10;                        // device checksum
  EXPECT_EQ(took, expected);
  EXPECT_EQ(took, 66555u);
}

TEST_F(FirmwareUpdateTest, ImageChecksumLineAndUpToDateMouseSeesOnlyTheHeaderRead) {
  rig->mouse.Flash().InstallApplication(Carried().Application());
  rig->mouse.ClearLog();
  EXPECT_EQ(rig->Run(), Outcome::UpToDate);
  const auto requests = rig->Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].address(), R::kAppHeader);
  EXPECT_EQ(requests[0].readLength(), 0x10);
  EXPECT_EQ(requests[0].writeLength(), 0);
  EXPECT_EQ(rig->progress.LastNumber(), 293);
  char line[32];
  std::snprintf(line, sizeof line, "CS1:%.8x", Carried().Header().checksum);
  EXPECT_EQ(rig->progress.imageLine, base::FromUtf8(line));
  std::snprintf(line, sizeof line, "Device CS:%.8x", Carried().Header().checksum);
  EXPECT_EQ(rig->progress.deviceLine, base::FromUtf8(line));
}

TEST_F(FirmwareUpdateTest, ModeAndAllowRules) {
  struct Case {
    uint16_t version;
    uint8_t byte8, byte9;
    Outcome outcome;
    size_t requests;
  };
  const Case cases[] = {
      {0x0100, 0, 1, Outcome::NotApplicationMode, 0},
      {0x0300, 0, 1, Outcome::NotApplicationMode, 0},
      {0x0200, 1, 1, Outcome::UpToDate, 1},
      {0x0200, 0, 0, Outcome::UpToDate, 1},
      {0x0200, 0, 2, Outcome::UpToDate, 1},
  };
  for (const Case& c : cases) {
    rig.reset();
    rig = std::make_unique<Rig>();
    rig->mouse.Unplug(Wired);
    rig->platform.desktop().RunFor(10);
    rig->mouse.SetVersionNumber(Wired, c.version);
    rig->mouse.SetFirmwareBytes(c.byte8, c.byte9);
    rig->mouse.Plug(Wired);
    rig->platform.desktop().RunFor(10);
    rig->mouse.ClearLog();
    EXPECT_EQ(rig->Run(), c.outcome) << std::hex << c.version;
    EXPECT_EQ(rig->Requests().size(), c.requests) << std::hex << c.version;
    EXPECT_EQ(rig->progress.LastNumber(), c.outcome == Outcome::NotApplicationMode ? 292 : 293);
    EXPECT_FALSE(rig->RunsImage());
  }
}

TEST_F(FirmwareUpdateTest, AnImageWithoutAUsableBaseIsRefusedBeforeAnyErase) {
  const auto flashBefore = rig->mouse.Flash().Bytes();
  for (size_t baseSize : {size_t{0}, size_t{R::kBaseEnd - 1}}) {
    FirmwareImage image;
    ASSERT_EQ(image.SetApplication(Carried().Application()), FirmwareImage::Check::Ok);
    (void)image.SetBase(std::vector<uint8_t>(baseSize, 0x5A));
    rig->mouse.ClearLog();
    EXPECT_EQ(rig->Run(image), Outcome::Failed) << baseSize;
    EXPECT_EQ(rig->progress.LastNumber(), FirmwareUpdater::kBaseCheckFailed) << baseSize;
    const auto requests = rig->Requests();
    ASSERT_EQ(requests.size(), 1u) << "only the checksum read, " << baseSize;
    EXPECT_EQ(requests[0].address(), R::kAppHeader);
    EXPECT_TRUE(rig->mouse.Flash().Bytes() == flashBefore) << baseSize;

    FirmwareUpdater updater(rig->link, rig->progress, image);
    rig->mouse.ClearLog();
    EXPECT_FALSE(updater.RewriteBaseRegion()) << baseSize;
    EXPECT_TRUE(rig->Requests().empty()) << baseSize;
  }
}

TEST_F(FirmwareUpdateTest, ABaseWindowMatchingInAnyPassErasesNothing) {
  for (int differingPasses = 0; differingPasses < 3; ++differingPasses) {
    rig.reset();
    rig = std::make_unique<Rig>();
    // The pass reads the first block first; a flipped answer ends that pass.
    rig->mouse.Flash().CorruptReadAt(R::kBaseCheckStart, differingPasses);
    ASSERT_EQ(rig->Run(), Outcome::Updated) << differingPasses;
    const auto requests = rig->Requests();
    EXPECT_EQ(Count(requests, R::kProtection), 0) << differingPasses;
    EXPECT_EQ(rig->mouse.Flash().SectorErases(), 3) << "only the commit sectors";
  }
}

TEST_F(FirmwareUpdateTest, ADifferentBaseIsRewrittenAndCheckedFirst) {
  rig->mouse.Flash().WriteBase(firmware_test::MakeBase(99));
  ASSERT_EQ(rig->Run(), Outcome::Updated);
  EXPECT_TRUE(rig->HoldsBase());
  EXPECT_TRUE(rig->RunsImage());
  EXPECT_FALSE(rig->mouse.Flash().Unlocked());
  const auto requests = rig->Requests();
  ASSERT_EQ(Count(requests, R::kProtection), 2);
  const auto unlock = std::find_if(requests.begin(), requests.end(),
                                   [](const R& r) { return r.operation() == R::kProtection; });
  EXPECT_EQ(unlock->value(), R::kUnlockValue);
  EXPECT_EQ(Count(requests, R::kEraseSector), 43 + 3);
  // Every base block once, the check window last.
  std::vector<uint32_t> baseWrites;
  for (const R& r : requests) {
    if (r.operation() == R::kTransfer && r.writeLength() > 0 && r.address() < R::kBaseEnd) {
      baseWrites.push_back(r.address());
    }
  }
  ASSERT_EQ(baseWrites.size(), 1376u);
  EXPECT_EQ(baseWrites[512], R::kBaseCheckEnd) << "the window is skipped";
  EXPECT_EQ(baseWrites[1344], R::kBaseCheckStart);
  EXPECT_EQ(baseWrites.back(), R::kBaseCheckEnd - 128);
  std::sort(baseWrites.begin(), baseWrites.end());
  EXPECT_EQ(std::adjacent_find(baseWrites.begin(), baseWrites.end()), baseWrites.end());
  const auto& texts = rig->progress.texts;
  EXPECT_NE(std::find(texts.begin(), texts.end(), u"Writing base(1/1419)"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), u"Writing base(1419/1419)"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), u"Checking base(1376/1376)"), texts.end());
}

TEST_F(FirmwareUpdateTest, AReadBackMismatchIsUndoneAndNeverCommitted) {
  rig->mouse.Flash().CorruptReadAt(R::kUpdateArea + 128 * 500);
  EXPECT_EQ(rig->Run(), Outcome::Failed);
  EXPECT_EQ(rig->progress.LastNumber(), 307);
  const auto requests = rig->Requests();
  EXPECT_EQ(requests.back().operation(), R::kEraseUpdateArea);
  EXPECT_EQ(Count(requests, R::kRestart), 0);
  EXPECT_EQ(Count(requests, R::kWriteData), 0);
  EXPECT_EQ(rig->mouse.Flash().SectorErases(), 0);
  EXPECT_FALSE(rig->RunsImage());

  // The next run starts on an erased update area and completes.
  EXPECT_EQ(rig->Run(), Outcome::Updated);
  EXPECT_TRUE(rig->RunsImage());
}

TEST_F(FirmwareUpdateTest, ALeftoverUpdateAreaIsErasedFirst) {
  std::fill_n(rig->mouse.Flash().Bytes().begin() + R::kUpdateArea, 300, 0x00);
  const uint64_t t0 = rig->Now();
  ASSERT_EQ(rig->Run(), Outcome::Updated);
  EXPECT_EQ(rig->mouse.Flash().AreaErases(), 1);
  EXPECT_EQ(rig->progress.numbers[0], 299);
  EXPECT_EQ(rig->Now() - t0, 66555u + 3000u);
}

TEST_F(FirmwareUpdateTest, ABlockThatCannotBeWrittenStopsAfterFourTries) {
  struct Case {
    int block;
    int text;
  };
  for (const Case c : {Case{0, 301}, Case{793, 302}}) {
    rig.reset();
    rig = std::make_unique<Rig>();
    // Requests before the block: checksum, 32 window reads, the area look.
    rig->mouse.FailReports(1 + 32 + 1 + c.block + 1, 4);
    EXPECT_EQ(rig->Run(), Outcome::Failed);
    EXPECT_EQ(rig->progress.LastNumber(), c.text);
    EXPECT_EQ(Count(rig->Requests(), R::kRestart), 0);
  }
}

// For every request of a full update: a run cut there (the cable pulled, or the request
// failing) never reports success, and a second run from what the mouse then holds completes
// and verifies.
// `only`, when given, picks the requests to cut at (1-based) instead of all of them.
enum class Cut { Unplug, Fail };

void CutAtEveryRequest(bool rewriteBase, Cut cut, int* cutPoints,
                       const std::function<bool(int k, int total)>& only = nullptr) {
  int total = 0;
  {
    Rig probe;
    if (rewriteBase) probe.mouse.Flash().WriteBase(firmware_test::MakeBase(99));
    std::fill_n(probe.mouse.Flash().Bytes().begin() + R::kUpdateArea, 16, 0x00);
    probe.mouse.ClearLog();
    ASSERT_EQ(probe.Run(), Outcome::Updated);
    total = static_cast<int>(probe.Requests().size());
  }
  for (int k = 1; k <= total; ++k) {
    if (only && !only(k, total)) continue;
    {
      const bool unplug = cut == Cut::Unplug;
      Rig rig;
      if (rewriteBase) rig.mouse.Flash().WriteBase(firmware_test::MakeBase(99));
      std::fill_n(rig.mouse.Flash().Bytes().begin() + R::kUpdateArea, 16, 0x00);
      if (unplug) {
        rig.mouse.UnplugAtReport(k);
      } else {
        rig.mouse.FailReports(k, FirmwareUpdater::kTries);
      }
      const Outcome first = rig.Run();
      ASSERT_NE(first, Outcome::Updated)
          << "cut at request " << k << (unplug ? " (unplug)" : " (fail)");
      ASSERT_NE(rig.progress.LastNumber(), 293) << k;
      rig.mouse.ClearFaults();
      rig.mouse.Plug(Wired);
      rig.platform.desktop().RunFor(10);
      const Outcome second = rig.Run();
      ASSERT_TRUE(second == Outcome::Updated || second == Outcome::UpToDate)
          << "rerun after a cut at request " << k << (unplug ? " (unplug)" : " (fail)");
      ASSERT_TRUE(rig.RunsImage()) << k;
      ASSERT_TRUE(rig.HoldsBase()) << k;
      ASSERT_EQ(rig.progress.LastNumber(), 293) << k;
      ++*cutPoints;
    }
  }
}

// Checksum, 32 window reads, area look, area erase, 794 writes, 794 reads, 6 commit requests,
// restart, checksum.
constexpr int kApplicationUpdateRequests = 1631;

TEST_F(FirmwareUpdateTest, CutAtEveryRequestOfAnApplicationUpdateByUnplugging) {
  rig.reset();
  int cutPoints = 0;
  CutAtEveryRequest(false, Cut::Unplug, &cutPoints);
  std::printf("cut points tested (application update, unplugged): %d\n", cutPoints);
  EXPECT_EQ(cutPoints, kApplicationUpdateRequests);
}

TEST_F(FirmwareUpdateTest, CutAtEveryRequestOfAnApplicationUpdateByFailing) {
  rig.reset();
  int cutPoints = 0;
  CutAtEveryRequest(false, Cut::Fail, &cutPoints);
  std::printf("cut points tested (application update, failed): %d\n", cutPoints);
  EXPECT_EQ(cutPoints, kApplicationUpdateRequests);
}

TEST_F(FirmwareUpdateTest, CutsDuringABaseRewrite) {
  rig.reset();
  // Every request up to the first base blocks and around the lock, every 53rd elsewhere.
  constexpr int kLock = 1 + 3 + 1 + 43 + 1376 + 1;
  int cutPoints = 0;
  for (Cut cut : {Cut::Unplug, Cut::Fail}) {
    CutAtEveryRequest(true, cut, &cutPoints, [](int k, int) {
      return k <= 60 || (k >= kLock - 3 && k <= kLock + 3) || k % 53 == 0;
    });
  }
  std::printf("cut points tested (base rewrite): %d\n", cutPoints);
  EXPECT_EQ(cutPoints, 2 * 149);
}

}  // namespace
