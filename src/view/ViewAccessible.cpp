#include "view/ViewAccessible.h"

#include <new>

#include "framework/RectWin32.h"

namespace plover {

namespace {

// What the platform answers for a property an object does not have.
constexpr HRESULT kNoSuchProperty = DISP_E_MEMBERNOTFOUND;

HRESULT Text(const std::wstring& text, BSTR* out)
{
    *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

void SetLong(VARIANT* out, LONG value)
{
    out->vt = VT_I4;
    out->lVal = value;
}

LONG RoleOf(PartKind kind)
{
    switch (kind) {
    case PartKind::Date:
    case PartKind::Target:
        return ROLE_SYSTEM_STATICTEXT;
    case PartKind::MonthList:
        return ROLE_SYSTEM_LIST;
    case PartKind::Clock:
        return ROLE_SYSTEM_CLOCK;
    case PartKind::Picture:
        return ROLE_SYSTEM_GRAPHIC;
    }
    return ROLE_SYSTEM_STATICTEXT;
}

}  // namespace

CComRef<CViewAccessible> CViewAccessible::Create(HWND view, const IAccessibleSource& source)
{
    return CComRef<CViewAccessible>::Adopt(new (std::nothrow) CViewAccessible(view, source));
}

CViewAccessible::CViewAccessible(HWND view, const IAccessibleSource& source)
    : m_hWnd(view),
      m_pSource(&source)
{
}

void CViewAccessible::Disconnect()
{
    m_pSource = nullptr;
    m_hWnd = nullptr;
    // The stubs for other processes, and what a client never took from
    // LresultFromObject, hold references of their own: they go now.
    ::CoDisconnectObject(static_cast<IAccessible*>(this), 0);
}

HRESULT CViewAccessible::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
        *out = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG CViewAccessible::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_nRefs));
}

ULONG CViewAccessible::Release()
{
    const LONG left = ::InterlockedDecrement(&m_nRefs);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT CViewAccessible::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT CViewAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**)
{
    return E_NOTIMPL;
}

HRESULT CViewAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT CViewAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                UINT*)
{
    return E_NOTIMPL;
}

bool CViewAccessible::Connected() const
{
    return m_pSource && ::IsWindow(m_hWnd);
}

HRESULT CViewAccessible::Find(const VARIANT& child, const AccessiblePart*& part) const
{
    part = nullptr;
    if (!Connected())
        return RPC_E_DISCONNECTED;
    if (child.vt != VT_I4)
        return E_INVALIDARG;
    if (child.lVal == CHILDID_SELF)
        return S_OK;
    const std::vector<AccessiblePart>& parts = m_pSource->ShownParts();
    if (child.lVal < 1 || static_cast<std::size_t>(child.lVal) > parts.size())
        return E_INVALIDARG;
    part = &parts[static_cast<std::size_t>(child.lVal) - 1];
    return S_OK;
}

CComRef<IDispatch> CViewAccessible::MonthListObject() const
{
    CComRef<IDispatch> object;
    if (const HWND list = m_pSource ? m_pSource->MonthListWindow() : nullptr)
        ::AccessibleObjectFromWindow(list, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                                     reinterpret_cast<void**>(object.Receive()));
    return object;
}

void CViewAccessible::ChildVariant(long id, VARIANT* out) const
{
    const std::vector<AccessiblePart>& parts = m_pSource->ShownParts();
    if (parts[static_cast<std::size_t>(id) - 1].kind == PartKind::MonthList) {
        if (CComRef<IDispatch> list = MonthListObject()) {
            out->vt = VT_DISPATCH;
            out->pdispVal = list.Detach();
            return;
        }
    }
    SetLong(out, id);
}

HRESULT CViewAccessible::get_accParent(IDispatch** parent)
{
    if (!parent)
        return E_POINTER;
    *parent = nullptr;
    if (!Connected())
        return RPC_E_DISCONNECTED;
    return ::CreateStdAccessibleObject(m_hWnd, OBJID_WINDOW, __uuidof(IDispatch),
                                       reinterpret_cast<void**>(parent));
}

HRESULT CViewAccessible::get_accChildCount(LONG* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    if (!Connected())
        return RPC_E_DISCONNECTED;
    *count = static_cast<LONG>(m_pSource->ShownParts().size());
    return S_OK;
}

HRESULT CViewAccessible::get_accChild(VARIANT child, IDispatch** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    const AccessiblePart* part = nullptr;
    const HRESULT hr = Find(child, part);
    if (FAILED(hr))
        return hr;
    if (!part)
        return E_INVALIDARG;
    // Every part but the list is a simple element of this object.
    if (part->kind != PartKind::MonthList)
        return S_FALSE;
    *out = MonthListObject().Detach();
    return *out ? S_OK : S_FALSE;
}

HRESULT CViewAccessible::get_accName(VARIANT child, BSTR* name)
{
    if (!name)
        return E_POINTER;
    *name = nullptr;
    const AccessiblePart* part = nullptr;
    const HRESULT hr = Find(child, part);
    if (FAILED(hr))
        return hr;
    if (!part) {
        // The view is read by the window's title.
        wchar_t title[256] = {};
        ::GetWindowTextW(::GetAncestor(m_hWnd, GA_ROOT), title, 256);
        return Text(title, name);
    }
    return Text(part->kind == PartKind::Clock ? m_pSource->ClockText() : part->name, name);
}

HRESULT CViewAccessible::get_accValue(VARIANT child, BSTR* value)
{
    if (!value)
        return E_POINTER;
    *value = nullptr;
    const AccessiblePart* part = nullptr;
    const HRESULT hr = Find(child, part);
    return FAILED(hr) ? hr : kNoSuchProperty;
}

HRESULT CViewAccessible::get_accDescription(VARIANT child, BSTR* text)
{
    return get_accValue(child, text);
}

HRESULT CViewAccessible::get_accRole(VARIANT child, VARIANT* role)
{
    if (!role)
        return E_POINTER;
    ::VariantInit(role);
    const AccessiblePart* part = nullptr;
    const HRESULT hr = Find(child, part);
    if (FAILED(hr))
        return hr;
    SetLong(role, part ? RoleOf(part->kind) : ROLE_SYSTEM_CLIENT);
    return S_OK;
}

HRESULT CViewAccessible::get_accState(VARIANT child, VARIANT* state)
{
    if (!state)
        return E_POINTER;
    ::VariantInit(state);
    const AccessiblePart* part = nullptr;
    const HRESULT hr = Find(child, part);
    if (FAILED(hr))
        return hr;
    LONG bits = ::IsWindowVisible(m_hWnd) ? 0 : STATE_SYSTEM_INVISIBLE;
    if (!part) {
        bits |= STATE_SYSTEM_FOCUSABLE;
        if (::GetFocus() == m_hWnd)
            bits |= STATE_SYSTEM_FOCUSED;
    } else if (part->kind != PartKind::MonthList) {
        bits |= STATE_SYSTEM_READONLY;
    }
    SetLong(state, bits);
    return S_OK;
}

HRESULT CViewAccessible::get_accHelp(VARIANT child, BSTR* help)
{
    return get_accValue(child, help);
}

HRESULT CViewAccessible::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic)
{
    if (!file || !topic)
        return E_POINTER;
    *file = nullptr;
    *topic = 0;
    const AccessiblePart* part = nullptr;
    const HRESULT hr = Find(child, part);
    return FAILED(hr) ? hr : kNoSuchProperty;
}

HRESULT CViewAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* keys)
{
    return get_accValue(child, keys);
}

HRESULT CViewAccessible::get_accFocus(VARIANT* child)
{
    if (!child)
        return E_POINTER;
    ::VariantInit(child);
    if (!Connected())
        return RPC_E_DISCONNECTED;
    if (::GetFocus() != m_hWnd)
        return S_FALSE;
    SetLong(child, CHILDID_SELF);
    return S_OK;
}

HRESULT CViewAccessible::get_accSelection(VARIANT* children)
{
    if (!children)
        return E_POINTER;
    ::VariantInit(children);
    if (!Connected())
        return RPC_E_DISCONNECTED;
    return S_FALSE;
}

HRESULT CViewAccessible::get_accDefaultAction(VARIANT child, BSTR* action)
{
    return get_accValue(child, action);
}

HRESULT CViewAccessible::accSelect(LONG, VARIANT child)
{
    const AccessiblePart* part = nullptr;
    const HRESULT hr = Find(child, part);
    return FAILED(hr) ? hr : kNoSuchProperty;
}

HRESULT CViewAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                     VARIANT child)
{
    if (!left || !top || !width || !height)
        return E_POINTER;
    *left = *top = *width = *height = 0;
    const AccessiblePart* part = nullptr;
    const HRESULT hr = Find(child, part);
    if (FAILED(hr))
        return hr;
    RECT r{};
    if (part)
        r = ToRECT(part->rect);
    else
        ::GetClientRect(m_hWnd, &r);
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
}

HRESULT CViewAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end)
{
    if (!end)
        return E_POINTER;
    ::VariantInit(end);
    const AccessiblePart* part = nullptr;
    const HRESULT hr = Find(start, part);
    if (FAILED(hr))
        return hr;
    const long count = static_cast<long>(m_pSource->ShownParts().size());
    long id = 0;
    switch (direction) {
    case NAVDIR_FIRSTCHILD:
    case NAVDIR_LASTCHILD:
        // Only the view has children; its parts have none.
        if (part)
            return E_INVALIDARG;
        id = direction == NAVDIR_FIRSTCHILD ? 1 : count;
        break;
    case NAVDIR_NEXT:
    case NAVDIR_DOWN:
    case NAVDIR_PREVIOUS:
    case NAVDIR_UP:
        // The view's own siblings are its window's to tell; the panels stand one
        // above the other, so down is next and up is previous.
        if (!part)
            return S_FALSE;
        id = start.lVal + (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN ? 1 : -1);
        break;
    case NAVDIR_LEFT:
    case NAVDIR_RIGHT:
        return S_FALSE;
    default:
        return E_INVALIDARG;
    }
    if (id < 1 || id > count)
        return S_FALSE;
    ChildVariant(id, end);
    return S_OK;
}

HRESULT CViewAccessible::accHitTest(LONG x, LONG y, VARIANT* child)
{
    if (!child)
        return E_POINTER;
    ::VariantInit(child);
    if (!Connected())
        return RPC_E_DISCONNECTED;
    POINT at{x, y};
    ::ScreenToClient(m_hWnd, &at);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    if (!::PtInRect(&client, at))
        return S_FALSE;
    const std::vector<AccessiblePart>& parts = m_pSource->ShownParts();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const RECT r = ToRECT(parts[i].rect);
        if (::PtInRect(&r, at)) {
            ChildVariant(static_cast<long>(i) + 1, child);
            return S_OK;
        }
    }
    SetLong(child, CHILDID_SELF);
    return S_OK;
}

HRESULT CViewAccessible::accDoDefaultAction(VARIANT child)
{
    return accSelect(0, child);
}

HRESULT CViewAccessible::put_accName(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

HRESULT CViewAccessible::put_accValue(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

}  // namespace plover
