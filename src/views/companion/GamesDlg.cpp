#include "views/companion/GamesDlg.h"

#include "base/Format.h"
#include "base/Language.h"
#include "platform/Platform.h"
#include "profiles/GameProfileRules.h"
#include "profiles/ProfileStore.h"
#include "ui/DialogParts.h"
#include "ui/ImageButton.h"
#include "ui/SkinImage.h"
#include "ui/StaticText.h"
#include "views/ViewServices.h"
#include "views/companion/CompanionTexts.h"

namespace {

constexpr int kFirstGameFilePair = 1;  // GameFile0..2 are text settings 1..3
constexpr int kOkText = 4;
constexpr int kRowTop = 58;
constexpr int kRowStep = 24;
constexpr int kNameLeft = 50;
constexpr int kRemoveLeft = 260;
constexpr int kButtonWidth = 69;
constexpr int kButtonHeight = 20;
constexpr int kSideLeft = 345;
constexpr platform::Colour kNameColour = 0xFFFFFF;
constexpr platform::Colour kEmptyIconFrame = 0x606060;

std::u16string FileNameOf(std::u16string_view path) {
  const size_t slash = path.find_last_of(u"\\/:");
  return std::u16string(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace

CGamesDlg::CGamesDlg(ViewServices& services, int slot)
    : CDlgBase(kDialogTemplate, services.MainDialog().GetSafeHwnd()),
      m_services(services),
      m_slot(slot) {
  m_nWidth = kWidth;
  m_nHeight = kHeight;
}

std::vector<std::u16string> CGamesDlg::Programs() const {
  std::vector<std::u16string> programs;
  const ProfileSettings* profile = m_services.Profiles().At(m_slot);
  if (!profile) return programs;
  for (int i = 0; i < kRows; ++i) {
    const std::u16string& value = profile->PairValue(kFirstGameFilePair + i);
    if (!value.empty()) programs.push_back(value);
  }
  return programs;
}

platform::Rect CGamesDlg::RowRect(int row) {
  const int top = kRowTop + kRowStep * row;
  return ui::ScaledRect(24, top + 1, kSideLeft - 10, top + 1 + kIconSize);
}

void CGamesDlg::InitUI(const platform::Rect&) {
  namespace dt = platform::dt;
  const ProfileSettings* profile = m_services.Profiles().At(m_slot);
  const std::u16string name = profile ? profile->ProfileName() : std::u16string();
  ui::AddCloseCross(*this, kCloseButton, ui::CloseCrossRect(kWidth));
  ui::AddTitle(*this, kTitleLabel, kWidth,
               base::Format(LangText(companion_text::kGamesTitle), name));
  ui::AddLabel(*this, kHintLabel, ui::ScaledRect(21, 34, kWidth - 15, 54), ui::kLabelColour,
               dt::kLeft | dt::kSingleLine | dt::kEndEllipsis | dt::kNoPrefix,
               LangText(companion_text::kGamesHint));
  for (int row = 0; row < kRows; ++row) {
    const int top = kRowTop + kRowStep * row;
    m_names[static_cast<size_t>(row)] = ui::AddLabel(
        *this, kFirstNameLabel + static_cast<uint32_t>(row),
        ui::ScaledRect(kNameLeft, top, kRemoveLeft - 6, top + kButtonHeight + 2), kNameColour,
        dt::kLeft | dt::kVCenter | dt::kSingleLine | dt::kEndEllipsis | dt::kNoPrefix, u"");
    m_removes[static_cast<size_t>(row)] = ui::AddPushButton(
        *this, kFirstRemoveButton + static_cast<uint32_t>(row),
        ui::ScaledRect(kRemoveLeft, top + 1, kRemoveLeft + kButtonWidth, top + 1 + kButtonHeight),
        LangText(companion_text::kRemove));
  }
  const int addTop = kRowTop + 1;
  m_pAdd = ui::AddPushButton(
      *this, kAddButton,
      ui::ScaledRect(kSideLeft, addTop, kSideLeft + kButtonWidth, addTop + kButtonHeight),
      LangText(companion_text::kAdd));
  const int okTop = kRowTop + 2 * kRowStep + 1;
  ui::AddPushButton(
      *this, kOkButton,
      ui::ScaledRect(kSideLeft, okTop, kSideLeft + kButtonWidth, okTop + kButtonHeight),
      LangText(kOkText));
  SetFrameBitmapFile(ui::SkinPath(u"Frame_dialog.bmp"));
  ShowRows();
}

void CGamesDlg::ShowRows() {
  const std::vector<std::u16string> programs = Programs();
  platform::Programs* system = platform::Current().programs;
  for (int row = 0; row < kRows; ++row) {
    const size_t i = static_cast<size_t>(row);
    const bool used = i < programs.size();
    if (m_names[i]) m_names[i]->SetTitle(used ? FileNameOf(programs[i]) : std::u16string());
    if (m_removes[i]) m_removes[i]->SetShow(used);
    m_icons[i] = used && system ? system->ProgramIcon(programs[i], ui::Scaled(kIconSize)) : nullptr;
  }
  if (m_pAdd) m_pAdd->SetDisable(programs.size() >= kRows);
  if (m_hWnd) InvalidateRect(nullptr);
}

void CGamesDlg::DrawWindow(platform::Canvas& canvas, const platform::Rect& client) {
  DrawBackgroundAndFrame(canvas, client);
  const size_t used = Programs().size();
  for (int row = 0; row < kRows; ++row) {
    const size_t i = static_cast<size_t>(row);
    if (i >= used) continue;
    const platform::Rect rc = RowRect(row);
    const int size = ui::Scaled(kIconSize);
    const platform::Rect icon{rc.left, rc.top, rc.left + size, rc.top + size};
    if (m_icons[i]) {
      canvas.DrawImage(*m_icons[i], icon, {0, 0, m_icons[i]->Width(), m_icons[i]->Height()});
    } else {
      canvas.FrameRect(icon, kEmptyIconFrame);
    }
  }
  DrawControls(canvas, client);
}

bool CGamesDlg::AddProgram(std::u16string_view path) {
  std::vector<std::u16string> programs = Programs();
  if (path.empty() || programs.size() >= kRows) return false;
  for (const std::u16string& listed : programs) {
    if (GameProfileRules::Matches(listed, path)) return false;
  }
  programs.emplace_back(path);
  Store(programs);
  return true;
}

bool CGamesDlg::RemoveProgram(int row) {
  std::vector<std::u16string> programs = Programs();
  if (row < 0 || static_cast<size_t>(row) >= programs.size()) return false;
  programs.erase(programs.begin() + row);
  Store(programs);
  return true;
}

void CGamesDlg::Store(const std::vector<std::u16string>& programs) {
  ProfileSettings* profile = m_services.Profiles().At(m_slot);
  if (!profile) return;
  for (int i = 0; i < kRows; ++i) {
    const size_t at = static_cast<size_t>(i);
    profile->SetPairValue(kFirstGameFilePair + i, at < programs.size() ? programs[at] : u"");
  }
  m_services.SaveNow();
  // The page (and with it the game watch) follows the new list.
  m_services.RefreshPage();
  ShowRows();
}

void CGamesDlg::AskForProgram() {
  platform::FileDialogDesc desc;
  desc.owner = m_hWnd;
  desc.title = LangText(companion_text::kChooseProgram);
  desc.defaultExtension = u"exe";
  desc.filter = LangText(companion_text::kProgramFilter);
  desc.mustExist = true;
  if (const auto path = platform::ShellServices().OpenFileDialog(desc)) (void)AddProgram(*path);
}

platform::LResult CGamesDlg::OnMessage(platform::WindowId window, uint32_t message,
                                       platform::WParam wParam, platform::LParam lParam,
                                       bool& handled) {
  if (lParam == Notify::kClicked) {
    handled = true;
    if (message == kCloseButton || message == kOkButton) {
      ResetControls();
      EndDialog(message == kOkButton ? kIdOk : kIdCancel);
      return 0;
    }
    if (message == kAddButton) {
      AskForProgram();
      return 0;
    }
    if (message >= kFirstRemoveButton && message < kFirstRemoveButton + kRows) {
      (void)RemoveProgram(static_cast<int>(message - kFirstRemoveButton));
      return 0;
    }
  }
  return CDlgBase::OnMessage(window, message, wParam, lParam, handled);
}
