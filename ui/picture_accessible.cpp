#include "ui/picture_accessible.h"

#include <ole2.h>
#include <oleacc.h>

#include <cwchar>

// The interfaces' ids are taken with __uuidof: the import library of oleacc
// also has a symbol IID_IAccessible, the address of a data import rather
// than the id, which the linker may pick instead of the uuid library's.
//
// oleacc and oleaut32 serve only screen readers and other accessibility
// clients, so they are not imported: each start would load them (and what
// they import) before the window shows. They are loaded from the system
// folder when the first client asks a picture for its object.

namespace vorn::ui {
namespace {

// The three functions of the two libraries the pictures use.
struct AccessibilityLibrary {
    using LresultFromObjectFunction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    using AccessibleObjectFromWindowFunction = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
    using SysAllocStringLenFunction = BSTR(WINAPI*)(const OLECHAR*, UINT);

    LresultFromObjectFunction lresultFromObject = nullptr;
    AccessibleObjectFromWindowFunction accessibleObjectFromWindow = nullptr;
    SysAllocStringLenFunction sysAllocStringLen = nullptr;

    bool Ready() const { return lresultFromObject && accessibleObjectFromWindow && sysAllocStringLen; }
};

// From the system folder only, never a DLL of that name beside Vorn.exe.
FARPROC SystemFunction(const wchar_t* library, const char* name)
{
    wchar_t path[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + 1 + wcslen(library) >= MAX_PATH) return nullptr;
    wcscat(path, L"\\");
    wcscat(path, library);
    // Kept loaded for the rest of the run, as an import would be.
    const HMODULE module = LoadLibraryW(path);
    return module ? GetProcAddress(module, name) : nullptr;
}

template <typename Function>
Function Load(const wchar_t* library, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemFunction(library, name)));
}

// Loaded at the first call, on the window thread; an object is only made
// once this is ready, so its methods find the functions there.
const AccessibilityLibrary& Accessibility()
{
    static const AccessibilityLibrary library = [] {
        AccessibilityLibrary loaded;
        loaded.lresultFromObject = Load<AccessibilityLibrary::LresultFromObjectFunction>(L"oleacc.dll", "LresultFromObject");
        loaded.accessibleObjectFromWindow =
            Load<AccessibilityLibrary::AccessibleObjectFromWindowFunction>(L"oleacc.dll", "AccessibleObjectFromWindow");
        loaded.sysAllocStringLen =
            Load<AccessibilityLibrary::SysAllocStringLenFunction>(L"oleaut32.dll", "SysAllocStringLen");
        return loaded;
    }();
    return library;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT Text(const std::wstring& text, BSTR* out)
{
    if (!out) return E_POINTER;
    *out = Accessibility().sysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

// Nothing to point at: S_FALSE, as the interface has it.
HRESULT Nothing(VARIANT* out)
{
    if (!out) return E_POINTER;
    out->vt = VT_EMPTY;
    return S_FALSE;
}

// A picture as a screen reader sees it: one element with no children of its
// own, its name, role, description and value the picture's, its place and
// state the window's. It asks the window for the value at each read, so that
// a reader holding it stays current, and it outlives the window safely.
class CPictureAccessible final : public IAccessible {
public:
    CPictureAccessible(HWND picture, const PictureAccessibility& info)
        : picture_(picture), name_(info.name), description_(info.description)
    {
    }
    CPictureAccessible(const CPictureAccessible&) = delete;
    CPictureAccessible& operator=(const CPictureAccessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (!out) return E_POINTER;
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: clients call the interface directly; there is no type library.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        return IsSelf(child) ? Text(name_, name) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        if (!IsSelf(child)) return E_INVALIDARG;
        if (!IsWindow(picture_)) return RPC_E_DISCONNECTED;
        std::wstring text;
        SendMessageW(picture_, kAccessibleValueMessage, 0, reinterpret_cast<LPARAM>(&text));
        return Text(text, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        return IsSelf(child) ? Text(description_, description) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (!IsSelf(child)) return E_INVALIDARG;
        if (!role) return E_POINTER;
        // A picture of the screen with places on it to choose.
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_DIAGRAM;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        if (!IsSelf(child)) return E_INVALIDARG;
        if (!state) return E_POINTER;
        if (!IsWindow(picture_)) return RPC_E_DISCONNECTED;
        long flags = STATE_SYSTEM_FOCUSABLE;
        if (GetFocus() == picture_) flags |= STATE_SYSTEM_FOCUSED;
        if (!IsWindowVisible(picture_)) flags |= STATE_SYSTEM_INVISIBLE;
        if (!IsWindowEnabled(picture_)) flags |= STATE_SYSTEM_UNAVAILABLE;
        state->vt = VT_I4;
        state->lVal = flags;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        // The window around the client area, as the system's objects have it.
        if (IsWindow(picture_) &&
            SUCCEEDED(Accessibility().accessibleObjectFromWindow(picture_, static_cast<DWORD>(OBJID_WINDOW),
                                                                 __uuidof(IDispatch), reinterpret_cast<void**>(parent))))
            return S_OK;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override
    {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** object) override
    {
        if (object) *object = nullptr;
        return E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override { return NoText(child, help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override
    {
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return NoText(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override
    {
        if (!focus) return E_POINTER;
        if (GetFocus() != picture_) return Nothing(focus);
        focus->vt = VT_I4;
        focus->lVal = CHILDID_SELF;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override { return Nothing(selection); }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return NoText(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override
    {
        if (!IsSelf(child)) return E_INVALIDARG;
        if (!(flags & SELFLAG_TAKEFOCUS)) return DISP_E_MEMBERNOTFOUND;
        SetFocus(picture_);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override
    {
        if (!IsSelf(child)) return E_INVALIDARG;
        if (!left || !top || !width || !height) return E_POINTER;
        RECT r{};
        if (!GetWindowRect(picture_, &r)) return RPC_E_DISCONNECTED;
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT* end) override { return Nothing(end); }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override
    {
        if (!child) return E_POINTER;
        RECT r{};
        if (!GetWindowRect(picture_, &r) || !PtInRect(&r, POINT{x, y})) return Nothing(child);
        child->vt = VT_I4;
        child->lVal = CHILDID_SELF;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~CPictureAccessible() = default;

    static HRESULT NoText(const VARIANT& child, BSTR* out)
    {
        if (out) *out = nullptr;
        return IsSelf(child) ? S_FALSE : E_INVALIDARG;
    }

    LONG references_ = 1;
    HWND picture_;
    std::wstring name_;
    std::wstring description_;
};

// Handing an object to a client marshals it, which needs COM on this thread.
// The pictures live on the window thread for the whole run, so COM is started
// there once and left on; a thread already in another apartment is fine as it is.
bool ComReady()
{
    thread_local const bool ready = [] {
        const HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        return SUCCEEDED(started) || started == RPC_E_CHANGED_MODE;
    }();
    return ready;
}

}  // namespace

bool LoadAccessibility() { return Accessibility().Ready(); }

bool AnswerGetObject(HWND picture, const PictureAccessibility& info, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || !LoadAccessibility() || !ComReady()) return false;
    auto* object = new CPictureAccessible(picture, info);
    result = Accessibility().lresultFromObject(__uuidof(IAccessible), wParam, object);
    // The client holds its own reference now, or there was none to give.
    object->Release();
    return result > 0;
}

void AnnounceValue(HWND picture, const std::wstring& value, std::wstring& told)
{
    if (value == told) return;
    told = value;
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, picture, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace vorn::ui
