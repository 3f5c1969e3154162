// The POSIX main loop and the hidraw reader thread: what other threads hand over runs on the
// loop's thread, in order, and nothing reaches a device that is gone. A socket pair stands in
// for a hidraw node: like the node, it hands over one report per read.

#include "adapters/posix/PosixLoop.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>
#include <vector>

#include "adapters/posix/HidrawDevice.h"

namespace {

using platform::posix::HidrawDevice;
using platform::posix::PosixLoop;

struct Recorder : platform::WindowHandler {
  std::vector<std::pair<uint32_t, platform::WParam>> seen;
  platform::LResult OnMessage(platform::WindowId, uint32_t message, platform::WParam wParam,
                              platform::LParam, bool&) override {
    if (message != platform::msg::kCreate) seen.emplace_back(message, wParam);
    return 0;
  }
};

// Pumps until `done` or a generous bound; the bound only keeps a broken test from hanging.
template <typename F>
void PumpUntil(PosixLoop& loop, F done) {
  for (int i = 0; i < 400 && !done(); ++i) loop.PumpDelay(10);
}

TEST(PosixLoopTest, WorkFromOtherThreadsRunsOnTheLoopThreadInOrder) {
  PosixLoop loop;
  Recorder window;
  const platform::WindowId id = loop.CreateWindow({}, &window);
  std::vector<int> order;
  std::vector<std::thread::id> threads;
  std::thread poster([&] {
    for (int i = 0; i < 5; ++i) {
      loop.Post([&, i] {
        order.push_back(i);
        threads.push_back(std::this_thread::get_id());
      });
    }
    loop.PostMessage(id, 0x0400, 7, 0);
  });
  poster.join();
  EXPECT_TRUE(order.empty());  // nothing runs until the loop dispatches
  loop.PumpDelay(0);
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
  for (const auto& t : threads) EXPECT_EQ(t, std::this_thread::get_id());
  ASSERT_EQ(window.seen.size(), 1u);
  EXPECT_EQ(window.seen[0], (std::pair<uint32_t, platform::WParam>{0x0400, 7}));

  // A message for a window destroyed meanwhile is dropped.
  loop.PostMessage(id, 0x0401, 0, 0);
  loop.DestroyWindow(id);
  loop.PumpDelay(0);
  ASSERT_EQ(window.seen.size(), 2u);
  EXPECT_EQ(window.seen[1].first, platform::msg::kDestroy);
}

TEST(PosixLoopTest, TimersRepeatUntilKilledAndDieWithTheirWindow) {
  PosixLoop loop;
  Recorder window;
  const platform::WindowId id = loop.CreateWindow({}, &window);
  loop.SetTimer(id, 42, 5);
  loop.SetTimer(id, 43, 0);  // due at once, yet it cannot hold the loop
  PumpUntil(loop, [&] {
    int fortyTwo = 0;
    for (const auto& s : window.seen) fortyTwo += s.second == 42;
    return fortyTwo >= 2;
  });
  loop.KillTimer(id, 43);
  int fired42 = 0;
  for (const auto& s : window.seen) {
    EXPECT_EQ(s.first, platform::msg::kTimer);
    fired42 += s.second == 42;
  }
  EXPECT_GE(fired42, 2);
  window.seen.clear();
  loop.KillTimer(id, 42);
  loop.PumpDelay(20);
  EXPECT_TRUE(window.seen.empty());

  loop.SetTimer(id, 44, 1);
  loop.DestroyWindow(id);
  window.seen.clear();
  loop.PumpDelay(10);
  EXPECT_TRUE(window.seen.empty());
}

class HidrawReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET, 0, fds), 0); }
  void TearDown() override {
    if (fds[1] >= 0) ::close(fds[1]);
  }
  void Send(std::vector<uint8_t> report) {
    ASSERT_EQ(::write(fds[1], report.data(), report.size()), static_cast<ssize_t>(report.size()));
  }

  PosixLoop loop;
  int fds[2] = {-1, -1};
};

TEST_F(HidrawReaderTest, ReportsArriveOnTheLoopThreadAsTheyWereSent) {
  HidrawDevice device(fds[0], loop, true, {});
  std::vector<std::vector<uint8_t>> reports;
  int ended = 0;
  std::thread::id thread;
  device.StartReading(
      [&](std::vector<uint8_t> r, uint64_t) {
        reports.push_back(std::move(r));
        thread = std::this_thread::get_id();
      },
      [&] { ++ended; });
  Send({0x04, 1, 2, 3});
  Send({0x05, 9});
  PumpUntil(loop, [&] { return reports.size() == 2; });
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0], (std::vector<uint8_t>{0x04, 1, 2, 3}));
  EXPECT_EQ(reports[1], (std::vector<uint8_t>{0x05, 9}));
  EXPECT_EQ(thread, std::this_thread::get_id());

  // The other end goes away: the reader ends, once.
  ::close(fds[1]);
  fds[1] = -1;
  PumpUntil(loop, [&] { return ended > 0; });
  loop.PumpDelay(5);
  EXPECT_EQ(ended, 1);
}

TEST_F(HidrawReaderTest, UnnumberedReportsGetIdZeroInFront) {
  HidrawDevice device(fds[0], loop, false, {});
  std::vector<uint8_t> got;
  device.StartReading([&](std::vector<uint8_t> r, uint64_t) { got = std::move(r); }, [] {});
  Send({0x11, 0x22});
  PumpUntil(loop, [&] { return !got.empty(); });
  EXPECT_EQ(got, (std::vector<uint8_t>{0x00, 0x11, 0x22}));
}

TEST_F(HidrawReaderTest, NothingReachesADeviceThatIsGone) {
  int reports = 0;
  {
    HidrawDevice device(fds[0], loop, true, {});
    device.StartReading([&](std::vector<uint8_t>, uint64_t) { ++reports; }, [&] { ++reports; });
    Send({0x04, 1});
    // Let the reader hand the report over without dispatching it.
    for (int i = 0; i < 100; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  loop.PumpDelay(5);
  EXPECT_EQ(reports, 0);
}

}  // namespace
