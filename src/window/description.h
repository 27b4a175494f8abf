// The window description: the main window's settings and its six controls, in their order.
// Fixed data; nothing writes it. The order is significant: it is the Z-order, the reverse
// of the creation order, and the tie-break of the focus rules.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ts {

using ColorRef = std::uint32_t;  // 0x00BBGGRR, as Win32 keeps colours

constexpr ColorRef Rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

// Not a colour: stands for the system colour COLOR_BTNFACE, looked up at every use.
constexpr ColorRef kButtonFaceColor = 0xFF000000u;

enum class ControlKind { EditBox, Label, Button, HyperLinker, Timer };

enum class BorderStyle { None, Sunken };

enum class LinkKind { MailAddress = 0, WebAddress = 1 };

struct EditBoxSettings {
    const char16_t* Text;
    BorderStyle Border;
    ColorRef TextColor;
    ColorRef BackColor;
    bool IntegerInput;
    bool HideSelection;
    int MaxLength;
    int SelStart;
    int SelLength;
};

struct LabelSettings {
    const char16_t* Caption;
    ColorRef TextColor;
    ColorRef BackColor;
};

struct ButtonSettings {
    const char16_t* Caption;
    bool DefaultButton;
};

// A stored font, field for field as Win32's LOGFONTA keeps it.
struct LogFont {
    std::int32_t Height, Width, Escapement, Orientation, Weight;
    std::uint8_t Italic, Underline, StrikeOut, CharSet, OutPrecision, ClipPrecision, Quality,
        PitchAndFamily;
    char FaceName[32];
};

struct HyperLinkerSettings {
    const char16_t* Caption;
    LinkKind Kind;
    const char* WebAddress;
    const char* MailAddress;
    ColorRef NormalColor;
    ColorRef VisitedColor;
    ColorRef HoverColor;
    ColorRef BackColor;
    int Border;
    const LogFont* Font;  // none: the stock font DEFAULT_GUI_FONT
};

struct TimerSettings {
    std::int32_t Period;
};

struct ControlDescription {
    const char16_t* Name;
    ControlKind Kind;
    int Left, Top, Width, Height;
    bool Visible;
    bool Disabled;
    bool TabStop;
    int TabOrder;
    // The settings of the control's kind; only the one that matches Kind is used.
    const EditBoxSettings* EditBox;
    const LabelSettings* Label;
    const ButtonSettings* Button;
    const HyperLinkerSettings* HyperLinker;
    const TimerSettings* Timer;
};

struct WindowDescription {
    const char16_t* Caption;
    int Left, Top, Width, Height;  // Left and Top are not used: the window is centred
    bool ControlBox;
    bool MinimizeBox;
    bool MaximizeBox;
    bool CenterOnScreen;
    bool ShowInTaskbar;
    bool TopMost;
    bool EscCloses;
    bool EnterMovesFocus;
    ColorRef BackColor;
    bool Visible;
    bool Disabled;
    const ControlDescription* Controls;
    std::size_t ControlCount;
};

// Indices of the controls in description order.
enum ControlIndex : std::size_t {
    k超级链接框1 = 0,
    k按钮2 = 1,
    k按钮1 = 2,
    k标签1 = 3,
    k编辑框1 = 4,
    k时钟1 = 5,
};

// The child identifiers: the first control created (the last one described) gets 100,
// each next one 10 more.
constexpr int kFirstChildId = 100;
constexpr int kChildIdStep = 10;
int ChildId(const WindowDescription& window, std::size_t index);

const WindowDescription& MainWindowDescription();

}  // namespace ts
