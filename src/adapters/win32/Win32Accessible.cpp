#include "adapters/win32/Win32Accessible.h"

#include <oleacc.h>

#include <string>
#include <utility>

#include "adapters/win32/WideText.h"

namespace platform::win32 {

namespace {

// MinGW's import libraries carry a wrong IID_IAccessible: Windows' own value.
constexpr GUID kIidAccessible = {
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

LONG RoleCode(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::PushButton:
      return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleRole::CheckButton:
      return ROLE_SYSTEM_CHECKBUTTON;
    case AccessibleRole::RadioButton:
      return ROLE_SYSTEM_RADIOBUTTON;
    case AccessibleRole::Slider:
      return ROLE_SYSTEM_SLIDER;
    case AccessibleRole::ComboBox:
      return ROLE_SYSTEM_COMBOBOX;
    case AccessibleRole::PageTab:
      return ROLE_SYSTEM_PAGETAB;
    case AccessibleRole::List:
      return ROLE_SYSTEM_LIST;
    case AccessibleRole::ListItem:
      return ROLE_SYSTEM_LISTITEM;
    case AccessibleRole::StaticText:
      return ROLE_SYSTEM_STATICTEXT;
    case AccessibleRole::Graphic:
      return ROLE_SYSTEM_GRAPHIC;
    case AccessibleRole::ProgressBar:
      return ROLE_SYSTEM_PROGRESSBAR;
    case AccessibleRole::Text:
      return ROLE_SYSTEM_TEXT;
    case AccessibleRole::ScrollBar:
      return ROLE_SYSTEM_SCROLLBAR;
    case AccessibleRole::MenuItem:
      return ROLE_SYSTEM_MENUITEM;
    default:
      return ROLE_SYSTEM_CLIENT;
  }
}

LONG StateCode(const AccessibleItem& item) {
  namespace st = accstate;
  LONG code = 0;
  if (item.state & st::kChecked) {
    // A tab that is on is the selected tab; a check or radio button is checked.
    code |= item.role == AccessibleRole::PageTab ? STATE_SYSTEM_SELECTED : STATE_SYSTEM_CHECKED;
  }
  if (item.state & st::kUnavailable) code |= STATE_SYSTEM_UNAVAILABLE;
  if (item.state & st::kFocused) code |= STATE_SYSTEM_FOCUSED;
  if (item.state & st::kFocusable) code |= STATE_SYSTEM_FOCUSABLE;
  if (item.state & st::kInvisible) code |= STATE_SYSTEM_INVISIBLE;
  if (item.state & st::kSelected) code |= STATE_SYSTEM_SELECTED | STATE_SYSTEM_SELECTABLE;
  if (item.state & st::kHotTracked) code |= STATE_SYSTEM_HOTTRACKED;
  return code;
}

DWORD EventCode(AccessibleEvent event) {
  switch (event) {
    case AccessibleEvent::Focus:
      return EVENT_OBJECT_FOCUS;
    case AccessibleEvent::StateChange:
      return EVENT_OBJECT_STATECHANGE;
    case AccessibleEvent::ValueChange:
      return EVENT_OBJECT_VALUECHANGE;
    case AccessibleEvent::NameChange:
      return EVENT_OBJECT_NAMECHANGE;
  }
  return EVENT_OBJECT_STATECHANGE;
}

void SetChild(VARIANT* out, LONG child) {
  ::VariantInit(out);
  out->vt = VT_I4;
  out->lVal = child;
}

// Empty text is no text: S_FALSE and a null string, as the interface asks.
HRESULT ReturnText(const std::u16string& text, BSTR* out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  const std::wstring wide = Wide(text);
  *out = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

class WindowAccessible final : public IAccessible {
 public:
  WindowAccessible(HWND hwnd, AccessibleLookup lookup)
      : m_hwnd(hwnd), m_lookup(std::move(lookup)) {}

  // --- IUnknown ---
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_IDispatch) ||
        IsEqualGUID(riid, kIidAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --m_references;
    if (left == 0) delete this;
    return left;
  }

  // --- IDispatch: not offered (readers use the interface's own methods) ---
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // --- IAccessible ---
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (parent == nullptr) return E_POINTER;
    *parent = nullptr;
    if (Tree() == nullptr) return RPC_E_DISCONNECTED;
    return ::CreateStdAccessibleObject(m_hwnd, OBJID_WINDOW, IID_IDispatch,
                                       reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (count == nullptr) return E_POINTER;
    AccessibleTree* tree = Tree();
    if (tree == nullptr) return RPC_E_DISCONNECTED;
    *count = tree->AccessibleCount();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    AccessibleItem item;
    HRESULT hr = Item(child, item);
    if (hr != S_OK) return hr;
    // The children are plain elements of this object, not objects of their own.
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
    if (IsSelf(child)) {
      AccessibleTree* tree = Tree();
      if (tree == nullptr) return RPC_E_DISCONNECTED;
      return ReturnText(tree->AccessibleName(), out);
    }
    AccessibleItem item;
    const HRESULT hr = Item(child, item);
    return hr == S_OK ? ReturnText(item.name, out) : hr;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
    if (IsSelf(child)) return ReturnText({}, out);
    AccessibleItem item;
    const HRESULT hr = Item(child, item);
    return hr == S_OK ? ReturnText(item.value, out) : hr;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* out) override {
    return ReturnText({}, out);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
    if (out == nullptr) return E_POINTER;
    if (IsSelf(child)) {
      AccessibleTree* tree = Tree();
      if (tree == nullptr) return RPC_E_DISCONNECTED;
      SetChild(out, tree->IsMenu() ? ROLE_SYSTEM_MENUPOPUP : ROLE_SYSTEM_CLIENT);
      return S_OK;
    }
    AccessibleItem item;
    const HRESULT hr = Item(child, item);
    if (hr != S_OK) return hr;
    SetChild(out, RoleCode(item.role));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
    if (out == nullptr) return E_POINTER;
    if (IsSelf(child)) {
      if (Tree() == nullptr) return RPC_E_DISCONNECTED;
      LONG state = STATE_SYSTEM_FOCUSABLE;
      if (!::IsWindowVisible(m_hwnd)) state |= STATE_SYSTEM_INVISIBLE;
      if (::GetFocus() == m_hwnd) state |= STATE_SYSTEM_FOCUSED;
      SetChild(out, state);
      return S_OK;
    }
    AccessibleItem item;
    const HRESULT hr = Item(child, item);
    if (hr != S_OK) return hr;
    SetChild(out, StateCode(item));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override { return ReturnText({}, out); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
    if (file != nullptr) *file = nullptr;
    if (topic != nullptr) *topic = 0;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* out) override {
    return ReturnText({}, out);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
    if (out == nullptr) return E_POINTER;
    ::VariantInit(out);
    AccessibleTree* tree = Tree();
    if (tree == nullptr) return RPC_E_DISCONNECTED;
    if (::GetFocus() != m_hwnd) return S_FALSE;
    const int focus = tree->AccessibleFocus();
    SetChild(out, focus >= 0 ? focus + 1 : CHILDID_SELF);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
    if (out == nullptr) return E_POINTER;
    ::VariantInit(out);
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
    if (IsSelf(child)) return ReturnText({}, out);
    AccessibleItem item;
    const HRESULT hr = Item(child, item);
    return hr == S_OK ? ReturnText(item.defaultAction, out) : hr;
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
      return E_POINTER;
    }
    RECT rc{};
    if (IsSelf(child)) {
      if (Tree() == nullptr) return RPC_E_DISCONNECTED;
      ::GetClientRect(m_hwnd, &rc);
    } else {
      AccessibleItem item;
      const HRESULT hr = Item(child, item);
      if (hr != S_OK) return hr;
      rc = {item.rect.left, item.rect.top, item.rect.right, item.rect.bottom};
    }
    POINT origin{0, 0};
    ::ClientToScreen(m_hwnd, &origin);
    *left = rc.left + origin.x;
    *top = rc.top + origin.y;
    *width = rc.right - rc.left;
    *height = rc.bottom - rc.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* out) override {
    if (out == nullptr) return E_POINTER;
    ::VariantInit(out);
    AccessibleTree* tree = Tree();
    if (tree == nullptr) return RPC_E_DISCONNECTED;
    const LONG count = tree->AccessibleCount();
    LONG target = 0;
    if (IsSelf(start)) {
      if (direction == NAVDIR_FIRSTCHILD) target = 1;
      if (direction == NAVDIR_LASTCHILD) target = count;
    } else {
      if (start.vt != VT_I4 || start.lVal < 1 || start.lVal > count) return E_INVALIDARG;
      if (direction == NAVDIR_NEXT) target = start.lVal + 1;
      if (direction == NAVDIR_PREVIOUS) target = start.lVal - 1;
    }
    if (target < 1 || target > count) return S_FALSE;
    SetChild(out, target);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* out) override {
    if (out == nullptr) return E_POINTER;
    ::VariantInit(out);
    AccessibleTree* tree = Tree();
    if (tree == nullptr) return RPC_E_DISCONNECTED;
    POINT pt{x, y};
    ::ScreenToClient(m_hwnd, &pt);
    RECT client{};
    ::GetClientRect(m_hwnd, &client);
    if (!::PtInRect(&client, pt)) return S_FALSE;
    // Later controls are drawn over earlier ones.
    LONG hit = CHILDID_SELF;
    AccessibleItem item;
    for (int i = 0; i < tree->AccessibleCount(); ++i) {
      if (!tree->AccessibleItemAt(i, item) || (item.state & accstate::kInvisible)) continue;
      if (item.rect.Contains({pt.x, pt.y})) hit = i + 1;
    }
    SetChild(out, hit);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (IsSelf(child)) return DISP_E_MEMBERNOTFOUND;
    AccessibleItem item;
    const HRESULT hr = Item(child, item);
    if (hr != S_OK) return hr;
    if (item.defaultAction.empty()) return DISP_E_MEMBERNOTFOUND;
    return ::PostMessageW(m_hwnd, kDeferredAccessibleAction, static_cast<WPARAM>(child.lVal - 1), 0)
               ? S_OK
               : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  AccessibleTree* Tree() const { return ::IsWindow(m_hwnd) ? m_lookup() : nullptr; }
  static bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
  }
  // The item of a child id; E_INVALIDARG for anything but a child id in range.
  HRESULT Item(const VARIANT& child, AccessibleItem& item) const {
    AccessibleTree* tree = Tree();
    if (tree == nullptr) return RPC_E_DISCONNECTED;
    if (child.vt != VT_I4 || child.lVal < 1) return E_INVALIDARG;
    return tree->AccessibleItemAt(child.lVal - 1, item) ? S_OK : E_INVALIDARG;
  }

  ULONG m_references = 1;
  HWND m_hwnd;
  AccessibleLookup m_lookup;
};

}  // namespace

IUnknown* CreateWindowAccessible(HWND hwnd, AccessibleLookup lookup) {
  return new WindowAccessible(hwnd, std::move(lookup));
}

LRESULT AnswerGetObject(IUnknown* accessible, WPARAM wParam) {
  return ::LresultFromObject(kIidAccessible, wParam, accessible);
}

void RaiseAccessibleEvent(HWND hwnd, AccessibleEvent event, int index) {
  ::NotifyWinEvent(EventCode(event), hwnd, OBJID_CLIENT, index >= 0 ? index + 1 : CHILDID_SELF);
}

}  // namespace platform::win32
