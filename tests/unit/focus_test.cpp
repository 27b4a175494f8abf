#include "window/focus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ts {
namespace {

std::string Indices(const std::vector<std::size_t>& indices) {
    std::string text;
    for (std::size_t i : indices) text += (text.empty() ? "" : ", ") + std::to_string(i);
    return text;
}

TEST(Focus, TheProgramsCycleIsFieldThenCancelThenStart) {
    const WindowDescription& window = MainWindowDescription();
    std::vector<std::size_t> expected = {k编辑框1, k按钮1, k按钮2};
    EXPECT_EQ(TabCycle(window), expected)
        << "got " << Indices(TabCycle(window)) << ", expected " << Indices(expected);
    EXPECT_EQ(DefaultFocus(window), std::optional<std::size_t>(k编辑框1));
}

TEST(Focus, TabAndShiftTabWalkTheCycleAndWrap) {
    const WindowDescription& window = MainWindowDescription();
    struct Step {
        const char* name;
        std::optional<std::size_t> from;
        bool backwards;
        std::size_t to;
    } steps[] = {
        {"Tab from the field", k编辑框1, false, k按钮1},
        {"Tab from 取消", k按钮1, false, k按钮2},
        {"Tab from 定时开始 wraps", k按钮2, false, k编辑框1},
        {"Shift+Tab from the field wraps", k编辑框1, true, k按钮2},
        {"Shift+Tab from 定时开始", k按钮2, true, k按钮1},
        {"Shift+Tab from 取消", k按钮1, true, k编辑框1},
        {"Tab with no control focused", std::nullopt, false, k编辑框1},
        {"Shift+Tab with no control focused", std::nullopt, true, k按钮2},
        {"Tab from the link, outside the cycle", k超级链接框1, false, k编辑框1},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(NextInTabCycle(window, s.from, s.backwards), std::optional<std::size_t>(s.to))
            << s.name;
    }
}

TEST(Focus, EnterRaisesNothingWithoutADefaultButton) {
    const WindowDescription& window = MainWindowDescription();
    for (std::optional<std::size_t> focused :
         {std::optional<std::size_t>(k编辑框1), std::optional<std::size_t>(k按钮1),
          std::optional<std::size_t>(k按钮2), std::optional<std::size_t>()}) {
        EXPECT_EQ(EnterRule(window, focused).kind, EnterAction::Nothing);
    }
}

// A description of our own to exercise the ordering rules the program's window does not use.
class FocusRules : public ::testing::Test {
protected:
    static constexpr ButtonSettings plain{u"b", false};
    static constexpr ButtonSettings byDefault{u"d", true};
    static constexpr EditBoxSettings edit{u"", BorderStyle::Sunken, 0, 0, true, true, 0, 0, 0};

    static ControlDescription Button(const ButtonSettings* s, int tabOrder, bool disabled = false,
                                     bool visible = true) {
        return {u"b",    ControlKind::Button,
                0,       0,
                1,       1,
                visible, disabled,
                true,    tabOrder,
                nullptr, nullptr,
                s,       nullptr,
                nullptr};
    }
    static ControlDescription Edit(int tabOrder, bool tabStop = true) {
        return {u"e",    ControlKind::EditBox,
                0,       0,
                1,       1,
                true,    false,
                tabStop, tabOrder,
                &edit,   nullptr,
                nullptr, nullptr,
                nullptr};
    }
    static WindowDescription Window(const std::vector<ControlDescription>& controls,
                                    bool enterMovesFocus = false) {
        WindowDescription w = MainWindowDescription();
        w.Controls = controls.data();
        w.ControlCount = controls.size();
        w.EnterMovesFocus = enterMovesFocus;
        return w;
    }
};

TEST_F(FocusRules, TabOrderSortsAndLaterControlsComeFirstAmongEquals) {
    std::vector<ControlDescription> controls = {Button(&plain, 2),
                                                Edit(0),
                                                Button(&plain, 0),
                                                Edit(1, /*tabStop*/ false),
                                                Button(&plain, 0, /*disabled*/ true),
                                                Button(&plain, 1, false, /*visible*/ false)};
    WindowDescription window = Window(controls);
    std::vector<std::size_t> expected = {2, 1, 0};
    EXPECT_EQ(TabCycle(window), expected);
    EXPECT_EQ(DefaultFocus(window), std::optional<std::size_t>(2));
}

TEST_F(FocusRules, EnterClicksTheFocusedOrTheFirstDefaultButtonOrMovesTheFocus) {
    std::vector<ControlDescription> controls = {Button(&plain, 0), Button(&byDefault, 0),
                                                Button(&byDefault, 0), Edit(0)};
    WindowDescription window = Window(controls);
    EnterAction onSecondDefault = EnterRule(window, 2);
    EXPECT_EQ(onSecondDefault.kind, EnterAction::ClickButton);
    EXPECT_EQ(onSecondDefault.button, 2u) << "the focused default button wins";
    EnterAction onEdit = EnterRule(window, 3);
    EXPECT_EQ(onEdit.kind, EnterAction::ClickButton);
    EXPECT_EQ(onEdit.button, 1u) << "else the first default button of the description";

    std::vector<ControlDescription> disabledDefault = {Button(&byDefault, 0, /*disabled*/ true),
                                                       Edit(0)};
    EXPECT_EQ(EnterRule(Window(disabledDefault), 1).kind, EnterAction::Nothing);
    EXPECT_EQ(EnterRule(Window(disabledDefault, /*enterMovesFocus*/ true), 1).kind,
              EnterAction::MoveFocus);
}

TEST(Description, ChildIdsRunFrom100InCreationOrder) {
    const WindowDescription& window = MainWindowDescription();
    EXPECT_EQ(ChildId(window, k时钟1), 100);
    EXPECT_EQ(ChildId(window, k编辑框1), 110);
    EXPECT_EQ(ChildId(window, k标签1), 120);
    EXPECT_EQ(ChildId(window, k按钮1), 130);
    EXPECT_EQ(ChildId(window, k按钮2), 140);
    EXPECT_EQ(ChildId(window, k超级链接框1), 150);
}

}  // namespace
}  // namespace ts
