// The countdown view's accessible object: what a screen reader asks the view's
// client area for (WM_GETOBJECT), since the view paints its panels itself.  Its
// children are the panels shown, as the view last laid them out: the date and the
// countdown as static texts, then the lower panel's month list (the list view's own
// object), clock or picture.  The stars and the shooting star are decoration and
// have none.  The view tells the object when it goes; from then on every question
// is answered RPC_E_DISCONNECTED, and no client keeps the view alive.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "framework/ComRef.h"
#include "framework/LiveCount.h"
#include "view/AccessibleParts.h"

namespace plover {

// What the object reads from its view, at each question.
class IAccessibleSource {
public:
    // The panels shown, in child id order.
    virtual const std::vector<AccessiblePart>& ShownParts() const = 0;
    // The time the clock shows at this moment.
    virtual std::wstring ClockText() const = 0;
    // The month list's window, or null.
    virtual HWND MonthListWindow() const = 0;

protected:
    ~IAccessibleSource() = default;
};

class CViewAccessible final : public IAccessible, public CLiveCount<CViewAccessible> {
public:
    static CComRef<CViewAccessible> Create(HWND view, const IAccessibleSource& source);
    // The view is going: forget it, and drop what other processes hold of this object.
    void Disconnect();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: no type information; screen readers call the methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;
    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
    CViewAccessible(HWND view, const IAccessibleSource& source);
    ~CViewAccessible() = default;

    // S_OK with `part` null for the view itself, or the part of that child id;
    // E_INVALIDARG for an id that names nothing shown; RPC_E_DISCONNECTED once the
    // view has gone.
    HRESULT Find(const VARIANT& child, const AccessiblePart*& part) const;
    // False once the view has gone: every question is then answered RPC_E_DISCONNECTED.
    bool Connected() const;
    // A child id as a client is given it: the list's own object, every other part
    // by its id.
    void ChildVariant(long id, VARIANT* out) const;
    CComRef<IDispatch> MonthListObject() const;

    LONG m_nRefs = 1;
    HWND m_hWnd;
    const IAccessibleSource* m_pSource;
};

}  // namespace plover
