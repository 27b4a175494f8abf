// Small pieces shared by the program's window classes: attaching the object to its window,
// and guards that give back what a paint takes.
#pragma once

#include <windows.h>

#include "platform/ui.h"
#include "window/description.h"

namespace ts {

// The window procedure of a class whose windows each belong to one T. The object is attached
// on WM_NCCREATE and detached after WM_NCDESTROY; T::Handle does the rest.
template <class T>
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    T* self = reinterpret_cast<T*>(ui::GetUserData(window));
    if (message == WM_NCCREATE) {
        self = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = window;
        ui::SetUserData(window, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return ui::DefaultProcedure(window, message, wParam, lParam);
    LRESULT result = self->Handle(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ui::SetUserData(window, 0);
        self->hwnd_ = nullptr;
        self->OnFinalDestroy();
    }
    return result;
}

// An event with at most one handler; raising one without a handler does nothing.
struct Event {
    void (*handler)(void* context) = nullptr;
    void* context = nullptr;
    void Raise() const {
        if (handler) handler(context);
    }
};

// A child identifier in the form CreateWindowEx takes it.
inline HMENU ChildIdHandle(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

// The style bits every control gets from its settings on top of its kind's own.
inline DWORD CommonControlStyle(const ControlDescription& control) {
    DWORD style = 0;
    if (control.Disabled) style |= WS_DISABLED;
    if (control.TabStop) style |= WS_TABSTOP;
    return style;
}

// Registers one of the program's window classes the first time a window of it is created.
inline bool EnsureClassRegistered(bool& registered, const ui::WindowClass& windowClass) {
    if (!registered) registered = ui::RegisterWindowClass(windowClass);
    return registered;
}

// The client point a mouse message carries.
inline POINT PointFrom(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// A colour of the description, with the button-face stand-in looked up now.
inline COLORREF ResolveColor(ColorRef color) {
    return color == kButtonFaceColor ? GetSysColor(COLOR_BTNFACE) : static_cast<COLORREF>(color);
}

class PaintContext {
public:
    explicit PaintContext(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ~PaintContext() { EndPaint(window_, &paint_); }
    PaintContext(const PaintContext&) = delete;
    PaintContext& operator=(const PaintContext&) = delete;
    HDC dc() const { return dc_; }
    const RECT& area() const { return paint_.rcPaint; }

private:
    HWND window_;
    HDC dc_;
    PAINTSTRUCT paint_;
};

// A drawing object made for one paint and deleted at its end.
template <class Handle>
class OwnedObject {
public:
    explicit OwnedObject(Handle object) : object_(object) {}
    ~OwnedObject() {
        if (object_) DeleteObject(object_);
    }
    OwnedObject(const OwnedObject&) = delete;
    OwnedObject& operator=(const OwnedObject&) = delete;
    Handle get() const { return object_; }

private:
    Handle object_;
};

class OwnedBrush : public OwnedObject<HBRUSH> {
public:
    explicit OwnedBrush(COLORREF color) : OwnedObject(CreateSolidBrush(color)) {}
};

using OwnedFont = OwnedObject<HFONT>;

class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace ts
