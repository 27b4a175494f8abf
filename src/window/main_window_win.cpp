#include "window/main_window_win.h"

#include "window/focus.h"

namespace ts {
namespace {

constexpr char16_t kMainWindowClass[] = u"TimedShutdownMain";
constexpr DWORD kMainWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

template <void (ScheduleHandlers::*Handler)()>
void Forward(void* handlers) {
    (static_cast<ScheduleHandlers*>(handlers)->*Handler)();
}

bool IsKeyDown(int key) { return GetKeyState(key) < 0; }

}  // namespace

MainWindow::MainWindow(const WindowDescription& description, HWND owner, Event finalDestroy)
    : description_(description),
      owner_(owner),
      finalDestroy_(finalDestroy),
      handlers_(scheduleOps_, timerHost_.timer()) {}

bool MainWindow::CreateMainWindow() {
    static bool registered = false;
    if (!EnsureClassRegistered(
            registered,
            {kMainWindowClass, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, WindowProcedure<MainWindow>,
             LoadCursor(nullptr, IDC_ARROW), static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))})) {
        return false;
    }
    if (description_.ControlCount > kMaxControls) return false;

    const int width = description_.Width;
    const int height = description_.Height;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    HWND window = ui::CreateWin(0, kMainWindowClass, description_.Caption, kMainWindowStyle, x, y,
                                width, height, owner_, nullptr, this);
    if (!window || !IsWindow(window)) return false;

    RECT outer;
    GetWindowRect(hwnd_, &outer);
    if (outer.right - outer.left != width || outer.bottom - outer.top != height) {
        SetWindowPos(hwnd_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetIcons();
    ui::Send(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);

    // Created last to first, so that the first control created gets the lowest identifier.
    for (std::size_t i = description_.ControlCount; i-- > 0;) {
        if (!CreateControl(i)) return false;
    }
    WireEvents();

    for (std::size_t i = 0; i < description_.ControlCount; ++i) {
        HWND after = i == 0 ? HWND_TOP : windows_[i - 1];
        SetWindowPos(windows_[i], after, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    }
    for (std::size_t i = 0; i < description_.ControlCount; ++i) {
        bool visible =
            description_.Controls[i].Visible && description_.Controls[i].Kind != ControlKind::Timer;
        ShowWindow(windows_[i], visible ? SW_SHOWNA : SW_HIDE);
    }
    return true;
}

bool MainWindow::CreateControl(std::size_t index) {
    const ControlDescription& control = description_.Controls[index];
    const int id = ChildId(description_, index);
    bool made = false;
    switch (control.Kind) {
    case ControlKind::EditBox:
        made = field_.Create(hwnd_, control, id);
        windows_[index] = field_.hwnd();
        scheduleOps_.SetMinutesField(field_.hwnd());
        break;
    case ControlKind::Label:
        made = label_.Create(hwnd_, control, id);
        windows_[index] = label_.hwnd();
        break;
    case ControlKind::Button: {
        if (buttonCount_ == sizeof buttons_ / sizeof buttons_[0]) return false;
        Button& button = buttons_[buttonCount_++];
        made = button.Create(hwnd_, control, id);
        windows_[index] = button.hwnd();
        buttonAt_[index] = &button;
        break;
    }
    case ControlKind::HyperLinker:
        made = link_.Create(hwnd_, control, id);
        windows_[index] = link_.hwnd();
        break;
    case ControlKind::Timer:
        made = timerHost_.Create(hwnd_, control, id);
        windows_[index] = timerHost_.hwnd();
        break;
    }
    return made && windows_[index] != nullptr;
}

// 按钮2 starts the schedule, 按钮1 cancels it, and each tick of 时钟1 asks for the shutdown.
void MainWindow::WireEvents() {
    if (Button* start = buttonAt_[k按钮2]) {
        start->clicked = {Forward<&ScheduleHandlers::OnStartClicked>, &handlers_};
    }
    if (Button* cancel = buttonAt_[k按钮1]) {
        cancel->clicked = {Forward<&ScheduleHandlers::OnCancelClicked>, &handlers_};
    }
    timerHost_.periodic = {Forward<&ScheduleHandlers::OnTimerTick>, &handlers_};
}

// The program's icon at the two sizes a window shows; loaded once and never destroyed.
void MainWindow::SetIcons() {
    static HICON big = nullptr;
    static HICON small = nullptr;
    static bool loaded = false;
    if (!loaded) {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        big = static_cast<HICON>(
            LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
        small = static_cast<HICON>(
            LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
        loaded = true;
    }
    if (big) ui::Send(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    if (small) ui::Send(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_ACTIVATE: OnActivate(wParam); break;
    case WM_SETFOCUS: OnSetFocus(); return 0;
    case WM_COMMAND: OnCommand(wParam, lParam); return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return OnCtlColor(message, wParam, lParam);
    case WM_MOVE: positionChanged.Raise(); break;
    case WM_SIZE: sizeChanged.Raise(); break;
    case WM_QUERYENDSESSION: return TRUE;  // closing is always allowed
    }
    return ui::DefaultProcedure(hwnd_, message, wParam, lParam);
}

void MainWindow::Paint() {
    PaintContext paint(hwnd_);
    OwnedBrush face(GetSysColor(COLOR_BTNFACE));
    FillRect(paint.dc(), &paint.area(), face.get());
}

void MainWindow::OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) != WA_INACTIVE) return;
    HWND focus = GetFocus();
    if (focus && IsChild(hwnd_, focus)) remembered_ = focus;
}

void MainWindow::OnSetFocus() {
    HWND remembered = remembered_;
    remembered_ = nullptr;
    if (remembered && IsWindow(remembered) && IsChild(hwnd_, remembered)) {
        SetFocus(remembered);
        return;
    }
    FocusControl(DefaultFocus(description_));
}

// Notifications go back to the control that sent them.
void MainWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    HWND sender = reinterpret_cast<HWND>(lParam);
    if (!sender) return;
    WORD code = HIWORD(wParam);
    if (sender == field_.hwnd()) {
        if (code == EN_KILLFOCUS) field_.OnKillFocus();
        return;
    }
    for (std::size_t i = 0; i < description_.ControlCount; ++i) {
        if (windows_[i] == sender && buttonAt_[i]) buttonAt_[i]->OnCommand(code);
    }
}

LRESULT MainWindow::OnCtlColor(UINT message, WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) == field_.hwnd() && field_.hwnd()) {
        return reinterpret_cast<LRESULT>(field_.OnCtlColor(reinterpret_cast<HDC>(wParam)));
    }
    return ui::DefaultProcedure(hwnd_, message, wParam, lParam);
}

void MainWindow::OnFinalDestroy() {
    for (HWND& child : windows_) child = nullptr;
    finalDestroy_.Raise();
}

std::optional<std::size_t> MainWindow::FocusedControl() const {
    HWND focus = GetFocus();
    for (std::size_t i = 0; i < description_.ControlCount; ++i) {
        if (focus && windows_[i] == focus) return i;
    }
    return std::nullopt;
}

void MainWindow::FocusControl(std::optional<std::size_t> index) {
    if (index && windows_[*index]) SetFocus(windows_[*index]);
}

bool MainWindow::PreviewMessage(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    if (!hwnd_ || (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd))) return false;
    const bool ctrl = IsKeyDown(VK_CONTROL);
    const bool shift = IsKeyDown(VK_SHIFT);
    const bool alt = IsKeyDown(VK_MENU);
    const bool plain = !ctrl && !shift && !alt;

    switch (message.wParam) {
    case VK_TAB:
        if (ctrl || alt) return false;
        FocusControl(NextInTabCycle(description_, FocusedControl(), shift));
        return true;
    case VK_ESCAPE:
        if (!plain || !description_.EscCloses) return false;
        ui::Send(hwnd_, WM_CLOSE, 0, 0);
        return true;
    case VK_RETURN: {
        if (!plain) return false;
        EnterAction action = EnterRule(description_, FocusedControl());
        if (action.kind == EnterAction::ClickButton && buttonAt_[action.button]) {
            buttonAt_[action.button]->clicked.Raise();
            return true;
        }
        if (action.kind == EnterAction::MoveFocus) {
            FocusControl(NextInTabCycle(description_, FocusedControl(), false));
            return true;
        }
        return false;
    }
    }
    return false;
}

}  // namespace ts
