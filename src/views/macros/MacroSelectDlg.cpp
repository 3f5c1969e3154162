#include "views/macros/MacroSelectDlg.h"

#include "base/Language.h"
#include "base/TextNumbers.h"
#include "macros/MacroLibrary.h"
#include "macros/editing/ActionEdits.h"
#include "macros/editing/EditingTexts.h"
#include "ui/DialogParts.h"
#include "ui/ImageButton.h"
#include "ui/SkinImage.h"
#include "ui/StaticText.h"
#include "ui/VScrollBar.h"
#include "views/macros/EditShowList.h"

namespace {

constexpr int kOkText = common_text::kOk;

platform::Rect R(int l, int t, int r, int b) {
  return {ui::Scaled(l), ui::Scaled(t), ui::Scaled(r), ui::Scaled(b)};
}

}  // namespace

CMacroSelectDlg::CMacroSelectDlg(platform::WindowId parent, MacroLibrary& library,
                                 LibraryLocation& selection, std::function<void(int)> showMessage,
                                 const macros::editing::LibraryKind& kind)
    : CDlgBase(kDialogTemplate, parent),
      m_library(library),
      m_selection(selection),
      m_showMessage(std::move(showMessage)),
      m_kind(kind) {
  m_nWidth = kWidth;
  m_nHeight = kHeight;
}

std::optional<MacroChoice> CMacroSelectDlg::ChoiceFor(const MacroLibrary& library,
                                                      const LibraryLocation& selection,
                                                      const macros::editing::LibraryKind& kind,
                                                      int& refusalText) {
  refusalText = 0;
  if (selection.IsNone() || !selection.IsValid()) {
    refusalText = macros::text::kSelectMacro;
    return std::nullopt;
  }
  const LibraryEntry* entry = library.EntryAt(selection);
  if (!entry) {
    // A place without an entry (the start-up selection of an empty library) switches the
    // button off.
    return MacroChoice{LangText(macros::text::kDisabled), {}, std::nullopt};
  }
  if (!entry->IsMacro()) {
    refusalText = macros::text::kSelectMacro;
    return std::nullopt;
  }
  if (!macros::editing::FitsOnMouse(*entry->record)) {
    refusalText = kind.tooLongText;
    return std::nullopt;
  }
  return MacroChoice{LangText(kind.namePrefixText) + entry->name,
                     ButtonFunctionCode{{kind.functionType, 0, 0}}, *entry->record};
}

void CMacroSelectDlg::InitUI(const platform::Rect&) {
  m_library.CloseAllFolders();
  const platform::WindowId w = GetSafeHwnd();
  auto* close =
      AddControl(0, std::make_unique<CImageButton>(w, kCloseButton, R(298, 6, 313, 21), u""));
  close->SetImageNormal(ui::SkinPath(u"exit_nr.png"));
  close->SetImageHover(ui::SkinPath(u"exit_ov.png"));
  AddControl(0, std::make_unique<CStaticText>(
                    w, kTitleLabel, R(21, 8, 280, 30), ui::kTitleColour,
                    platform::dt::kLeft | platform::dt::kVCenter | platform::dt::kSingleLine,
                    LangText(m_kind.libraryHeaderText)));
  m_pLibrary =
      AddControl(0, std::make_unique<CEditShowList>(w, kLibraryList, R(20, 44, 285, 424), m_library,
                                                    m_selection, m_kind.itemIcon));
  auto* bar = AddControl(0, std::make_unique<CVScrollBar>(w, kLibraryBar, R(285, 44, 299, 424)));
  m_pLibrary->SetScrollBar(bar);
  auto* ok = AddControl(
      0, std::make_unique<CImageButton>(w, kOkButton, R(230, 440, 299, 460), LangText(kOkText)));
  ok->SetImageNormal(ui::SkinPath(u"button2_nr.png"));
  ok->SetImageHover(ui::SkinPath(u"button2_ov.png"));
  SetFrameBitmapFile(ui::SkinPath(u"Frame_manager.bmp"));
  m_pLibrary->Reload();
  m_pLibrary->ShowSelection();
}

void CMacroSelectDlg::OnOK() {
  int refusal = 0;
  std::optional<MacroChoice> choice = ChoiceFor(m_library, m_selection, m_kind, refusal);
  if (!choice) {
    if (refusal && m_showMessage) m_showMessage(refusal);
    return;
  }
  m_choice = std::move(choice);
  ResetControls();
  EndDialog(kIdOk);
}

platform::LResult CMacroSelectDlg::OnMessage(platform::WindowId window, uint32_t message,
                                             platform::WParam wParam, platform::LParam lParam,
                                             bool& handled) {
  switch (message) {
    case kOkButton:
      handled = true;
      if (lParam == Notify::kClicked) OnOK();
      return 0;
    case kCloseButton:
      handled = true;
      if (lParam == Notify::kClicked) {
        ResetControls();
        EndDialog(kIdCancel);
      }
      return 0;
    case kLibraryBar:
      handled = true;
      if (m_pLibrary) m_pLibrary->OnScrollNotice(wParam, lParam);
      return 0;
    case kLibraryList:
      handled = true;
      return 0;
    default:
      break;
  }
  return CDlgBase::OnMessage(window, message, wParam, lParam, handled);
}
