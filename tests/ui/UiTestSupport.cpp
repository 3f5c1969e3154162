#include "ui/UiTestSupport.h"

#include <filesystem>
#include <ostream>

#include "base/Text.h"

namespace uitest {

namespace {
void PutLe(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}
}  // namespace

std::string MakeBmp(int width, int height, const std::function<uint32_t(int, int)>& pixel) {
  const int stride = (width * 3 + 3) & ~3;
  const uint32_t dataSize = static_cast<uint32_t>(stride * height);
  std::string out = "BM";
  PutLe(out, 54 + dataSize, 4);
  PutLe(out, 0, 4);
  PutLe(out, 54, 4);
  PutLe(out, 40, 4);
  PutLe(out, static_cast<uint32_t>(width), 4);
  PutLe(out, static_cast<uint32_t>(height), 4);
  PutLe(out, 1, 2);
  PutLe(out, 24, 2);
  PutLe(out, 0, 4);
  PutLe(out, dataSize, 4);
  PutLe(out, 2835, 4);
  PutLe(out, 2835, 4);
  PutLe(out, 0, 4);
  PutLe(out, 0, 4);
  for (int row = height - 1; row >= 0; --row) {  // bottom-up
    std::string line;
    for (int x = 0; x < width; ++x) PutLe(line, pixel(x, row) & 0xFFFFFF, 3);
    line.resize(static_cast<size_t>(stride), '\0');
    out += line;
  }
  return out;
}

std::ostream& operator<<(std::ostream& out, const Note& note) {
  return out << "{" << note.message << ", " << note.wParam << ", " << note.lParam << "}";
}

CTestDlg::CTestDlg(Builder builder, int width, int height, platform::WindowId parent)
    : CDlgBase(kDialogTemplate, parent), m_builder(std::move(builder)) {
  m_nWidth = width;
  m_nHeight = height;
}

void CTestDlg::InitUI(const platform::Rect&) {
  if (m_builder) m_builder(*this, GetSafeHwnd());
}

void CTestDlg::DrawWindow(platform::Canvas& canvas, const platform::Rect& client) {
  ++drawWindowCalls;
  DrawBackgroundAndFrame(canvas, client);
  DrawControls(canvas, client);
}

platform::LResult CTestDlg::OnMessage(platform::WindowId window, uint32_t message,
                                      platform::WParam wParam, platform::LParam lParam,
                                      bool& handled) {
  if (message >= 1025) {
    notes.push_back({message, wParam, lParam});
    if (react) react(notes.back());
    handled = true;
    return 0;
  }
  if (message == platform::msg::kNcLButtonDown) posted.push_back({message, wParam, lParam});
  return CDlgBase::OnMessage(window, message, wParam, lParam, handled);
}

UiTest::UiTest() {
  desktop.SetFailureHandler([this](const std::string& m) { failures.push_back(m); });
  ResetLanguage();
  g_strExeDir = base::FolderOf(platform.files().ExecutablePath());
  g_fUiScale = 1.0f;
  g_hOpenDialogs.fill(0);
  g_nRadioFlags = 0;
  g_nPollingRateIndex = 0;
  g_nDpiLevelFlags = 0;
  g_nProfileTabIndex = 0;
  g_nPageTabIndex = 0;
  std::error_code ec;
  std::filesystem::create_directories(
      platform.files().HostPath(g_strExeDir + u"skins\\pollingRate"), ec);
}

UiTest::~UiTest() {
  EXPECT_TRUE(failures.empty()) << failures.front();
  g_hOpenDialogs.fill(0);
}

void UiTest::WriteSkin(std::u16string_view name, const std::string& bytes) {
  if (const size_t slash = name.rfind(u'\\'); slash != std::u16string_view::npos) {
    std::error_code ec;
    std::filesystem::create_directories(
        platform.files().HostPath(ui::SkinPath(name.substr(0, slash))), ec);
  }
  ASSERT_TRUE(platform.files().WriteAll(ui::SkinPath(name), bytes));
}

const platform::headless::RecordingCanvas& UiTest::Paint(platform::WindowId window) {
  desktop.RunUntilIdle();
  static const platform::headless::RecordingCanvas none(0, 0);
  const auto* canvas = desktop.LastPaint(window);
  return canvas ? *canvas : none;
}

std::vector<std::u16string> ImageNames(const platform::headless::RecordingCanvas& canvas) {
  std::vector<std::u16string> names;
  for (const auto& op : canvas.Ops()) {
    if (op.kind != platform::headless::DrawOp::Kind::Image) continue;
    const size_t slash = op.text.find_last_of(u'\\');
    names.push_back(slash == std::u16string::npos ? op.text : op.text.substr(slash + 1));
  }
  return names;
}

int CountOps(const platform::headless::RecordingCanvas& canvas,
             platform::headless::DrawOp::Kind kind) {
  int count = 0;
  for (const auto& op : canvas.Ops()) count += op.kind == kind ? 1 : 0;
  return count;
}

}  // namespace uitest
