#include "window/controls_win.h"

#include <string>

#include "window/integer_field.h"

namespace ts {
namespace {

constexpr char16_t kLabelClass[] = u"TimedShutdownLabel";
constexpr char16_t kTimerHostClass[] = u"TimedShutdownTimerHost";

HFONT DefaultFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

}  // namespace

// ---- 编辑框1 ----

IntegerField::~IntegerField() {
    if (brush_) DeleteObject(brush_);
}

bool IntegerField::Create(HWND parent, const ControlDescription& control, int id) {
    settings_ = control.EditBox;
    brush_ = CreateSolidBrush(settings_->BackColor);
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL |
                  CommonControlStyle(control);
    hwnd_ =
        ui::CreateWin(WS_EX_CLIENTEDGE, u"EDIT", settings_->Text, style, control.Left, control.Top,
                      control.Width, control.Height, parent, ChildIdHandle(id), nullptr);
    if (!hwnd_) return false;
    ui::SetUserData(hwnd_, reinterpret_cast<LONG_PTR>(this));
    editProcedure_ = ui::SubclassWindow(hwnd_, Subclass);

    int minimumHeight = TextHeight(true) + 2 * GetSystemMetrics(SM_CYEDGE);
    if (control.Height < minimumHeight) {
        SetWindowPos(hwnd_, nullptr, 0, 0, control.Width, minimumHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ui::Send(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), TRUE);
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ui::Send(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(settings_->MaxLength), 0);
    ui::Send(hwnd_, EM_SETSEL, static_cast<WPARAM>(settings_->SelStart),
             settings_->SelStart + settings_->SelLength);
    ui::Send(hwnd_, EM_SCROLLCARET, 0, 0);
    return true;
}

HBRUSH IntegerField::OnCtlColor(HDC dc) {
    SetTextColor(dc, settings_->TextColor);
    SetBkColor(dc, settings_->BackColor);
    return brush_;
}

void IntegerField::OnKillFocus() {
    std::u16string text = ui::WindowText(hwnd_);
    std::u16string normal = NormaliseIntegerText(text);
    if (normal == text) return;
    DWORD start = 0;
    ui::Send(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    ui::SetText(hwnd_, normal);
    ui::Send(hwnd_, EM_SETSEL, start, static_cast<LPARAM>(start));
    ui::Send(hwnd_, EM_SCROLLCARET, 0, 0);
}

LRESULT CALLBACK IntegerField::Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<IntegerField*>(ui::GetUserData(window));
    return self->Handle(message, wParam, lParam);
}

LRESULT IntegerField::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CHAR: return OnChar(WM_CHAR, wParam, lParam);
    case WM_IME_CHAR: return OnChar(WM_IME_CHAR, wParam, lParam);
    case WM_NCCALCSIZE: OnNcCalcSize(wParam, lParam); return 0;
    case WM_NCPAINT: OnNcPaint(wParam, lParam); return 0;
    case WM_NCHITTEST: return OnNcHitTest(lParam);
    case WM_ERASEBKGND: EraseBackground(reinterpret_cast<HDC>(wParam)); return 1;
    }
    return Default(message, wParam, lParam);
}

// Typing lets only what an integer can hold through, also when an input method delivers the
// character; pasting is not filtered.
LRESULT IntegerField::OnChar(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IntegerFieldAccepts(static_cast<char16_t>(wParam))) return 0;
    return Default(message, wParam, lParam);
}

LRESULT IntegerField::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return ui::CallPrevious(editProcedure_, hwnd_, message, wParam, lParam);
}

// The height of the field's font: of a whole line (tmHeight), or of the letter W as drawn.
int IntegerField::TextHeight(bool wholeLine) {
    HDC dc = GetDC(hwnd_);
    if (!dc) return 0;
    auto font = reinterpret_cast<HGDIOBJ>(ui::Send(hwnd_, WM_GETFONT, 0, 0));
    int height = 0;
    {
        SelectedObject selected(dc, font ? font : GetStockObject(SYSTEM_FONT));
        TEXTMETRICA metrics;
        SIZE extent;
        if (wholeLine) {
            if (GetTextMetricsA(dc, &metrics)) height = metrics.tmHeight;
        } else if (GetTextExtentPoint32A(dc, "W", 1, &extent)) {
            height = extent.cy;
        }
    }
    ReleaseDC(hwnd_, dc);
    return height;
}

// The one text line is centred vertically inside the border.
void IntegerField::OnNcCalcSize(WPARAM wParam, LPARAM lParam) {
    Default(WM_NCCALCSIZE, wParam, lParam);
    auto* client = reinterpret_cast<RECT*>(lParam);  // rgrc[0] comes first in either form
    int height = TextHeight(false);
    int top = client->top + (client->bottom - client->top - height) / 2;
    client->top = top;
    client->bottom = top + height;
}

// Paints the band between the border and the text line in the field's colour, then the border.
void IntegerField::OnNcPaint(WPARAM wParam, LPARAM lParam) {
    HDC dc = GetWindowDC(hwnd_);
    if (dc) {
        RECT window;
        GetWindowRect(hwnd_, &window);
        RECT client;
        GetClientRect(hwnd_, &client);
        MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&client), 2);
        OffsetRect(&client, -window.left, -window.top);
        RECT whole = {0, 0, window.right - window.left, window.bottom - window.top};
        ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
        FillRect(dc, &whole, brush_);
        ReleaseDC(hwnd_, dc);
    }
    Default(WM_NCPAINT, wParam, lParam);
}

// Clicks above or below the text line do nothing.
LRESULT IntegerField::OnNcHitTest(LPARAM lParam) {
    POINT point = PointFrom(lParam);
    ScreenToClient(hwnd_, &point);
    RECT client;
    GetClientRect(hwnd_, &client);
    if (!PtInRect(&client, point)) return HTBORDER;
    return Default(WM_NCHITTEST, 0, lParam);
}

void IntegerField::EraseBackground(HDC dc) {
    RECT client;
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, brush_);
}

// ---- 标签1 ----

bool Label::Create(HWND parent, const ControlDescription& control, int id) {
    static bool registered = false;
    if (!EnsureClassRegistered(registered, {kLabelClass, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                            WindowProcedure<Label>, LoadCursor(nullptr, IDC_ARROW),
                                            static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))})) {
        return false;
    }
    settings_ = control.Label;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | CommonControlStyle(control);
    return ui::CreateWin(0, kLabelClass, settings_->Caption, style, control.Left, control.Top,
                         control.Width, control.Height, parent, ChildIdHandle(id), this) != nullptr;
}

LRESULT Label::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: Paint(); return 0;
    }
    return ui::DefaultProcedure(hwnd_, message, wParam, lParam);
}

void Label::Paint() {
    PaintContext paint(hwnd_);
    RECT client;
    GetClientRect(hwnd_, &client);
    RECT area;
    IntersectRect(&area, &paint.area(), &client);
    IntersectClipRect(paint.dc(), area.left, area.top, area.right, area.bottom);
    {
        OwnedBrush background(ResolveColor(settings_->BackColor));
        FillRect(paint.dc(), &area, background.get());
    }
    std::u16string caption = ui::WindowText(hwnd_);
    if (caption.empty()) return;
    SelectedObject font(paint.dc(), DefaultFont());
    SetBkMode(paint.dc(), TRANSPARENT);
    SetTextColor(paint.dc(), settings_->TextColor);
    ui::DrawTextLine(paint.dc(), caption, &client,
                     DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}

// ---- 按钮2, 按钮1 ----

bool Button::Create(HWND parent, const ControlDescription& control, int id) {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER |
                  BS_MULTILINE | CommonControlStyle(control);
    hwnd_ = ui::CreateWin(0, u"BUTTON", control.Button->Caption, style, control.Left, control.Top,
                          control.Width, control.Height, parent, ChildIdHandle(id), nullptr);
    if (!hwnd_) return false;
    ui::Send(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), TRUE);
    return true;
}

void Button::OnCommand(WORD code) {
    if (code == BN_CLICKED) clicked.Raise();
}

// ---- 时钟1 ----

bool TimerHost::Create(HWND parent, const ControlDescription& control, int id) {
    static bool registered = false;
    if (!EnsureClassRegistered(registered, {kTimerHostClass, CS_DBLCLKS, WindowProcedure<TimerHost>,
                                            LoadCursor(nullptr, IDC_ARROW),
                                            static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))})) {
        return false;
    }
    storedPeriod_ = control.Timer->Period;
    return ui::CreateWin(0, kTimerHostClass, u"", WS_CHILD | WS_CLIPSIBLINGS, control.Left,
                         control.Top, control.Width, control.Height, parent, ChildIdHandle(id),
                         this) != nullptr;
}

LRESULT TimerHost::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: timer_.OnHostCreated(storedPeriod_); return 0;
    case WM_DESTROY: timer_.OnHostDestroyed(); return 0;
    case WM_TIMER: return OnTimer(wParam, lParam);
    }
    return ui::DefaultProcedure(hwnd_, message, wParam, lParam);
}

// Every tick, whatever its identifier, gets its default handling and then raises the periodic
// event.
LRESULT TimerHost::OnTimer(WPARAM wParam, LPARAM lParam) {
    LRESULT result = ui::DefaultProcedure(hwnd_, WM_TIMER, wParam, lParam);
    periodic.Raise();
    return result;
}

void TimerHost::StartTimer(std::int32_t period) {
    SetTimer(hwnd_, kTimerId, static_cast<UINT>(period), nullptr);
}

void TimerHost::StopTimer() { KillTimer(hwnd_, kTimerId); }

}  // namespace ts
