#include "adapters/win32/Win32HidBus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Win32TestSupport.h"
#include "adapters/win32/HidReader.h"
#include "adapters/win32/UiThreadQueue.h"

namespace {

using platform::win32::FailureLog;
using platform::win32::HidReader;
using platform::win32::UiThreadQueue;
using win32test::PumpUntil;
using win32test::TestPlatform;

platform::win32::Win32HidBus& Bus() {
  TestPlatform();
  return static_cast<platform::win32::Win32HidBus&>(platform::Hid());
}

TEST(Win32HidBus, EnumeratesTheMachinesHidClassAndFindsNoMouse) {
  int seen = 0;
  for (int index = 0; index < 150; ++index) {
    std::optional<platform::HidInterfaceInfo> info = Bus().At(index);
    if (!info) continue;
    ++seen;
    EXPECT_FALSE(info->path.empty()) << index;
    EXPECT_NE(info->vendorId, 0x04F3) << index;
  }
  // Wine's HID class may be empty; what it holds must never look like the mouse.
  std::printf("HID interfaces that could be queried: %d\n", seen);
  for (int index : {-1, 150, 100000}) {
    EXPECT_EQ(Bus().At(index), std::nullopt) << index;
    EXPECT_EQ(Bus().Open(index), nullptr) << index;
  }
}

TEST(Win32HidBus, RegistersAWindowForHidDeviceNotices) {
  platform::WindowDesc desc;
  desc.className = u"VantrelHidTestWindow";
  desc.rect = {0, 0, 10, 10};
  desc.visible = false;
  struct Quiet : platform::WindowHandler {
    platform::LResult OnMessage(platform::WindowId, uint32_t, platform::WParam, platform::LParam,
                                bool& handled) override {
      handled = false;
      return 0;
    }
  } handler;
  platform::WindowId window = platform::Windows().CreateWindow(desc, &handler);
  ASSERT_NE(window, 0u);
  EXPECT_TRUE(Bus().RegisterForNotifications(window)) << TestPlatform().LastFailure();
  EXPECT_TRUE(Bus().RegisterForNotifications(window));  // again, replacing the first
  platform::Windows().DestroyWindow(window);
}

// A message pipe stands in for a HID interface: each message is one input report, and
// closing the writing end is the device going away.
class PipeDevice {
 public:
  PipeDevice() {
    static int counter = 0;
    std::wstring name = L"\\\\.\\pipe\\vantrel-hid-test-" +
                        std::to_wstring(::GetCurrentProcessId()) + L"-" +
                        std::to_wstring(++counter);
    m_read = ::CreateNamedPipeW(name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED,
                                PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, 1, 4096,
                                4096, 0, nullptr);
    m_write = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  }
  ~PipeDevice() {
    Unplug();
    if (m_read != INVALID_HANDLE_VALUE) ::CloseHandle(m_read);
  }
  bool Ready() const { return m_read != INVALID_HANDLE_VALUE && m_write != INVALID_HANDLE_VALUE; }
  // The reader owns the reading end from here on.
  HANDLE TakeReadEnd() {
    HANDLE read = m_read;
    m_read = INVALID_HANDLE_VALUE;
    return read;
  }
  bool Send(std::vector<uint8_t> report) {
    DWORD written = 0;
    return ::WriteFile(m_write, report.data(), static_cast<DWORD>(report.size()), &written,
                       nullptr) &&
           written == report.size();
  }
  void Unplug() {
    if (m_write != INVALID_HANDLE_VALUE) ::CloseHandle(m_write);
    m_write = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE m_read = INVALID_HANDLE_VALUE;
  HANDLE m_write = INVALID_HANDLE_VALUE;
};

struct Received {
  std::vector<std::vector<uint8_t>> reports;
  std::vector<DWORD> threads;
  std::vector<uint64_t> arrivals;
  int ended = 0;
};

std::unique_ptr<HidReader> StartReader(PipeDevice& device, Received& received, UiThreadQueue& queue,
                                       FailureLog& failures) {
  return std::make_unique<HidReader>(
      device.TakeReadEnd(), 32, queue,
      [&received](std::vector<uint8_t> report, uint64_t arrivedMs) {
        received.reports.push_back(std::move(report));
        received.threads.push_back(::GetCurrentThreadId());
        received.arrivals.push_back(arrivedMs);
      },
      [&received] { ++received.ended; }, failures);
}

TEST(HidReader, DeliversCopiesInOrderOnTheUiThreadAndEndsOnceWhenTheDeviceGoes) {
  TestPlatform();
  FailureLog failures;
  UiThreadQueue queue(failures);
  PipeDevice device;
  ASSERT_TRUE(device.Ready());
  Received received;
  auto reader = StartReader(device, received, queue, failures);

  std::vector<uint8_t> first(32, 0xFF);
  first[0] = 0x04;
  first[2] = 3;
  ASSERT_TRUE(device.Send(first));
  ASSERT_TRUE(device.Send({0x05, 0x01, 0x02}));  // another id and a short report, as read
  ASSERT_TRUE(PumpUntil([&] { return received.reports.size() == 2; }));
  EXPECT_EQ(received.reports[0], first);
  EXPECT_EQ(received.reports[1], (std::vector<uint8_t>{0x05, 0x01, 0x02}));
  for (DWORD thread : received.threads) EXPECT_EQ(thread, ::GetCurrentThreadId());
  EXPECT_EQ(received.ended, 0);

  device.Unplug();
  ASSERT_TRUE(PumpUntil([&] { return received.ended != 0; }));
  EXPECT_FALSE(failures.Last().empty());  // the failed read is on record
  platform::Time().PumpDelay(50);
  EXPECT_EQ(received.ended, 1);
  EXPECT_EQ(received.reports.size(), 2u);
  reader.reset();  // after the end: joins a finished thread
  EXPECT_EQ(received.ended, 1);
}

TEST(HidReader, AReportKeepsTheTimeItWasReadNotTheTimeItWasHandedOver) {
  TestPlatform();
  FailureLog failures;
  UiThreadQueue queue(failures);
  PipeDevice device;
  ASSERT_TRUE(device.Ready());
  Received received;
  auto reader = StartReader(device, received, queue, failures);
  ASSERT_TRUE(device.Send({0x04, 1}));
  // The UI thread is busy (as in a settings write) while the reader takes the report.
  ::Sleep(200);
  const uint64_t busyUntil = platform::Time().NowMs();
  ASSERT_TRUE(PumpUntil([&] { return received.reports.size() == 1; }));
  ASSERT_EQ(received.arrivals.size(), 1u);
  EXPECT_LT(received.arrivals[0], busyUntil);
}

TEST(HidReader, DestroyedWhileReadingStopsWithoutCallingBackOrDeliveringQueuedReports) {
  TestPlatform();
  FailureLog failures;
  UiThreadQueue queue(failures);
  PipeDevice device;
  ASSERT_TRUE(device.Ready());
  Received received;
  auto reader = StartReader(device, received, queue, failures);
  ASSERT_TRUE(device.Send({0x04, 1}));
  ASSERT_TRUE(PumpUntil([&] { return received.reports.size() == 1; }));

  // One report queued but not yet dispatched, and the thread blocked in its next read.
  ASSERT_TRUE(device.Send({0x04, 2}));
  ::Sleep(100);    // lets the reader post it; the assertions below do not depend on timing
  reader.reset();  // must return although a read is pending
  platform::Time().PumpDelay(50);
  EXPECT_EQ(received.reports.size(), 1u);
  EXPECT_EQ(received.ended, 0);
}

TEST(HidReader, CallbacksMayDestroyTheirOwnReader) {
  TestPlatform();
  FailureLog failures;
  UiThreadQueue queue(failures);
  PipeDevice device;
  ASSERT_TRUE(device.Ready());
  int reports = 0;
  std::unique_ptr<HidReader> reader;
  reader = std::make_unique<HidReader>(
      device.TakeReadEnd(), 32, queue,
      [&](std::vector<uint8_t>, uint64_t) {
        ++reports;
        reader.reset();
      },
      [] {}, failures);
  ASSERT_TRUE(device.Send({0x04}));
  ASSERT_TRUE(device.Send({0x04}));
  ASSERT_TRUE(PumpUntil([&] { return reader == nullptr; }));
  platform::Time().PumpDelay(50);
  EXPECT_EQ(reports, 1);
}

TEST(HidReader, AHandleThatCouldNotBeOpenedEndsAtOnce) {
  TestPlatform();
  FailureLog failures;
  UiThreadQueue queue(failures);
  int ended = 0;
  HidReader reader(
      INVALID_HANDLE_VALUE, 32, queue, [](std::vector<uint8_t>, uint64_t) {}, [&] { ++ended; },
      failures);
  ASSERT_TRUE(PumpUntil([&] { return ended != 0; }));
  platform::Time().PumpDelay(20);
  EXPECT_EQ(ended, 1);
}

TEST(UiThreadQueue, RunsWorkPostedFromOtherThreadsOnItsOwnAndDropsWhatIsLeft) {
  TestPlatform();
  FailureLog failures;
  std::vector<int> order;
  DWORD ranOn = 0;
  bool ran = false;
  {
    UiThreadQueue queue(failures);
    struct Job {
      UiThreadQueue* queue;
      std::vector<int>* order;
      DWORD* ranOn;
    } job{&queue, &order, &ranOn};
    HANDLE thread = ::CreateThread(
        nullptr, 0,
        [](void* p) -> DWORD {
          auto* j = static_cast<Job*>(p);
          for (int i = 0; i < 3; ++i) {
            j->queue->Post([j, i] {
              j->order->push_back(i);
              *j->ranOn = ::GetCurrentThreadId();
            });
          }
          return 0;
        },
        &job, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    ::WaitForSingleObject(thread, INFINITE);
    ::CloseHandle(thread);
    ASSERT_TRUE(PumpUntil([&] { return order.size() == 3; }));
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(ranOn, ::GetCurrentThreadId());

    EXPECT_TRUE(queue.Post([&ran] { ran = true; }));
    // The queue goes away before its work is dispatched.
  }
  platform::Time().PumpDelay(20);
  EXPECT_EQ(order.size(), 3u);
  EXPECT_FALSE(ran);
}

}  // namespace
