#include "window/description.h"

#include "build_config.h"

namespace ts {
namespace {

constexpr EditBoxSettings k编辑框1Settings = {
    /*Text*/ u"60",
    /*Border*/ BorderStyle::Sunken,
    /*TextColor*/ Rgb(0, 0, 0),
    /*BackColor*/ Rgb(255, 255, 255),
    /*IntegerInput*/ true,
    /*HideSelection*/ true,
    /*MaxLength*/ 0,
    /*SelStart*/ 0,
    /*SelLength*/ 0,
};

constexpr LabelSettings k标签1Settings = {
    /*Caption*/ u"定时设置：分钟",
    /*TextColor*/ Rgb(255, 0, 0),
    /*BackColor*/ kButtonFaceColor,
};

constexpr ButtonSettings k按钮2Settings = {/*Caption*/ u"定时开始", /*DefaultButton*/ false};
constexpr ButtonSettings k按钮1Settings = {/*Caption*/ u"取消", /*DefaultButton*/ false};

constexpr HyperLinkerSettings k超级链接框1Settings = {
    /*Caption*/ u"Zelvano官方网站",
    /*Kind*/ LinkKind::WebAddress,
    /*WebAddress*/ TS_WEB_ADDRESS,
    /*MailAddress*/ "",
    /*NormalColor*/ Rgb(0, 0, 255),
    /*VisitedColor*/ Rgb(128, 0, 0),
    /*HoverColor*/ Rgb(51, 94, 168),
    /*BackColor*/ kButtonFaceColor,
    /*Border*/ 0,
    /*Font*/ nullptr,
};

constexpr TimerSettings k时钟1Settings = {/*Period*/ 0};

// clang-format off
constexpr ControlDescription kControls[] = {
    // Name             Kind                      Left  Top Width Height Visible Disabled TabStop TabOrder
    {u"超级链接框1", ControlKind::HyperLinker,   8,  22,  160,  16,  true,   false,   false,  0,
     nullptr, nullptr, nullptr, &k超级链接框1Settings, nullptr},
    {u"按钮2",      ControlKind::Button,       288,  49,   72,  24,  true,   false,   true,   0,
     nullptr, nullptr, &k按钮2Settings, nullptr, nullptr},
    {u"按钮1",      ControlKind::Button,       161,  51,   66,  23,  true,   false,   true,   0,
     nullptr, nullptr, &k按钮1Settings, nullptr, nullptr},
    {u"标签1",      ControlKind::Label,        215,  16,   88,  24,  true,   false,   false,  0,
     nullptr, &k标签1Settings, nullptr, nullptr, nullptr},
    {u"编辑框1",    ControlKind::EditBox,      312,  18,   48,  26,  true,   false,   true,   0,
     &k编辑框1Settings, nullptr, nullptr, nullptr, nullptr},
    {u"时钟1",      ControlKind::Timer,        400,  56,  136,  64,  false,  false,   false,  0,
     nullptr, nullptr, nullptr, nullptr, &k时钟1Settings},
};
// clang-format on

constexpr WindowDescription kMainWindow = {
    /*Caption*/ u"定时关机",
    /*Left*/ 50,
    /*Top*/ 50,
    /*Width*/ 380,
    /*Height*/ 111,
    /*ControlBox*/ true,
    /*MinimizeBox*/ true,
    /*MaximizeBox*/ false,
    /*CenterOnScreen*/ true,
    /*ShowInTaskbar*/ false,
    /*TopMost*/ false,
    /*EscCloses*/ true,
    /*EnterMovesFocus*/ false,
    /*BackColor*/ kButtonFaceColor,
    /*Visible*/ true,
    /*Disabled*/ false,
    kControls,
    sizeof kControls / sizeof kControls[0],
};

}  // namespace

int ChildId(const WindowDescription& window, std::size_t index) {
    return kFirstChildId + kChildIdStep * static_cast<int>(window.ControlCount - 1 - index);
}

const WindowDescription& MainWindowDescription() { return kMainWindow; }

}  // namespace ts
