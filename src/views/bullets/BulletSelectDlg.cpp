#include "views/bullets/BulletSelectDlg.h"

#include "base/Language.h"
#include "device/MacroDownload.h"
#include "keys/ButtonFunctionCode.h"
#include "macros/MacroLibrary.h"
#include "macros/bullets/ShootingLibraryEditor.h"
#include "ui/DialogParts.h"
#include "ui/SkinImage.h"
#include "ui/VScrollBar.h"
#include "views/ViewServices.h"
#include "views/bullets/BulletLibraryList.h"
#include "views/bullets/BulletTexts.h"

namespace {

constexpr int kOkText = 4;

}  // namespace

CBulletSelectDlg::CBulletSelectDlg(platform::WindowId parent, MacroLibrary& library,
                                   LibraryLocation& selection, std::function<void(int)> showMessage)
    : CDlgBase(kDialogTemplate, parent),
      m_library(library),
      m_selection(selection),
      m_showMessage(std::move(showMessage)) {
  m_nWidth = kWidth;
  m_nHeight = kHeight;
}

CBulletSelectDlg::~CBulletSelectDlg() = default;

std::optional<BulletSelection> CBulletSelectDlg::ChoiceFor(const MacroLibrary& library,
                                                           const LibraryLocation& location,
                                                           int& refusal) {
  refusal = 0;
  if (!location.IsValid()) {
    refusal = bullets::text::kSelectShootingAction;
    return std::nullopt;
  }
  const LibraryEntry* entry = library.EntryAt(location);
  if (!entry) {
    // A place without an entry (the start-up selection of an empty library) frees the button.
    return BulletSelection{LangText(bullets::view_text::kDisabled), {0, 0, 0}, std::nullopt};
  }
  if (!entry->IsMacro()) {
    refusal = bullets::text::kSelectShootingAction;
    return std::nullopt;
  }
  // An imported entry may hold more than the mouse can play; bound to a button it would
  // leave the button on an erased slot, so it is refused here where the user can see why.
  MacroDownload::WorkBuffer record;
  if (!MacroDownload::BuildDeviceRecord(*entry->record, 1, record)) {
    refusal = bullets::view_text::kTooLongForMouse;
    return std::nullopt;
  }
  return BulletSelection{LangText(bullets::view_text::kShootingPrefix) + entry->name,
                         {ButtonFunctionCode::ShootingFunction, 0, 0},
                         *entry->record};
}

void CBulletSelectDlg::InitUI(const platform::Rect&) {
  const platform::WindowId hWnd = GetSafeHwnd();
  m_library.CloseAllFolders();
  ui::AddCloseCross(*this, kCloseButton, ui::ScaledRect(300, 4, 315, 19));
  ui::AddLabel(*this, kTitleLabel, ui::ScaledRect(21, 8, 280, 30), ui::kTitleColour,
               platform::dt::kLeft | platform::dt::kVCenter,
               LangText(bullets::view_text::kLibraryHeading));
  m_pList = AddControl(
      0, std::make_unique<CBulletLibraryList>(hWnd, kLibraryList, ui::ScaledRect(16, 40, 289, 420),
                                              m_library, m_selection));
  auto* bar = AddControl(
      0, std::make_unique<CVScrollBar>(hWnd, kLibraryScroll, ui::ScaledRect(291, 40, 303, 420)));
  m_pList->AttachScrollBar(bar);
  m_pList->ScrollTo(m_selection);
  ui::AddPushButton(*this, kOkButton, ui::ScaledRect(234, 434, 303, 454), LangText(kOkText));
  SetFrameBitmapFile(ui::SkinPath(u"Frame_manager.bmp"));
}

void CBulletSelectDlg::DrawWindow(platform::Canvas& canvas, const platform::Rect& client) {
  DrawBackgroundAndFrame(canvas, client);
  DrawControls(canvas, client);
}

void CBulletSelectDlg::Close(intptr_t result) {
  ResetControls();
  EndDialog(result);
}

void CBulletSelectDlg::OnOK() {
  int refusal = 0;
  std::optional<BulletSelection> choice = ChoiceFor(m_library, m_selection, refusal);
  if (!choice) {
    if (m_showMessage) m_showMessage(refusal);
    return;
  }
  m_result = std::move(choice);
  Close(kIdOk);
}

platform::LResult CBulletSelectDlg::OnMessage(platform::WindowId window, uint32_t message,
                                              platform::WParam wParam, platform::LParam lParam,
                                              bool& handled) {
  switch (message) {
    case kOkButton:
      if (lParam != Notify::kClicked) break;
      handled = true;
      OnOK();
      return 0;
    case kCloseButton:
      if (lParam != Notify::kClicked) break;
      handled = true;
      Close(kIdCancel);
      return 0;
    case kLibraryList:
      handled = true;
      return 0;
    case kLibraryScroll:
      handled = true;
      if (m_pList) m_pList->OnScrollBar(wParam, lParam);
      return 0;
    default:
      break;
  }
  return CDlgBase::OnMessage(window, message, wParam, lParam, handled);
}

std::optional<BulletSelection> RunBulletSelect(ViewServices& services, MacroLibrary& library,
                                               LibraryLocation& selection) {
  CBulletSelectDlg dlg(services.MainDialog().GetSafeHwnd(), library, selection, [&services](int t) {
    (void)services.ShowMessage(t, ViewServices::Box::Modal);
  });
  if (dlg.DoModal() != CDlgBase::kIdOk) return std::nullopt;
  return dlg.Selection();
}

std::optional<BulletSelection> RunBulletSelect(ViewServices& services) {
  return RunBulletSelect(services, g_bulletLibrary, g_librarySelection);
}
