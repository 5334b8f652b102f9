#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui_model/ui_model.h"

namespace quorell {
namespace {

WindowDesign SmallDesign() {
    WindowDesign design;
    design.kind = WindowKind::CpuMonitor;
    design.title = "small";
    design.size = {302, 142};
    ControlDesign timer;
    timer.kind = ControlKind::Timer;
    timer.name = "时钟_Cpu";
    timer.intervalMs = 1000;
    design.controls.push_back(timer);
    ControlDesign label;
    label.kind = ControlKind::Label;
    label.name = "显示_当前Cpu使用率";
    label.text = "0%";
    design.controls.push_back(label);
    return design;
}

TEST(WindowLifecycle, CreateRaisesCreatedThenOnePositionChanged) {
    Window window(SmallDesign());
    std::vector<std::string> events;
    window.BindCreated([&] { events.push_back("created"); });
    window.BindPositionChanged([&] { events.push_back("moved"); });
    window.MoveTo(10, 20);  // before creation: placed, no event
    EXPECT_TRUE(events.empty());
    window.Create();
    window.Create();  // a window is created once
    EXPECT_EQ(events, (std::vector<std::string>{"created", "moved"}));
    EXPECT_TRUE(window.Exists());
    EXPECT_FALSE(window.Visible());
}

TEST(WindowLifecycle, MoveInsideHandlerRaisesPositionChangedBeforeReturning) {
    Window window(SmallDesign());
    std::vector<std::string> events;
    bool ready = false;
    window.BindPositionChanged([&] { events.push_back(ready ? "stored" : "suppressed"); });
    window.BindCreated([&] {
        window.SetLeft(100);
        window.SetTop(200);
        events.push_back("restored");
        ready = true;
    });
    window.Create();
    EXPECT_EQ(events, (std::vector<std::string>{"suppressed", "suppressed", "restored", "stored"}));
    EXPECT_EQ(window.Position(), (Point{100, 200}));
}

TEST(WindowLifecycle, MoveToTheSamePlaceRaisesNothing) {
    Window window(SmallDesign());
    window.Create();
    int moves = 0;
    window.BindPositionChanged([&] { ++moves; });
    window.MoveByUser(5, 6);
    window.MoveByUser(5, 6);
    window.SetLeft(5);
    EXPECT_EQ(moves, 1);
}

TEST(WindowClosing, RefusedCloseKeepsTheWindowAndItsTimer) {
    Window window(SmallDesign());
    int ticks = 0;
    window.Timer("时钟_Cpu").BindTick([&] { ++ticks; });
    window.BindMayClose([&] {
        window.SetVisible(false);
        return false;
    });
    window.Create();
    window.SetVisible(true);
    EXPECT_FALSE(window.RequestClose());
    EXPECT_FALSE(window.PressEscape());
    EXPECT_TRUE(window.Exists());
    EXPECT_FALSE(window.Visible());
    window.Timer("时钟_Cpu").Tick();  // hidden windows keep ticking
    EXPECT_EQ(ticks, 1);
}

TEST(WindowClosing, AcceptedCloseDestroysAndStopsTimersAndEvents) {
    Window window(SmallDesign());
    int ticks = 0;
    int moves = 0;
    window.Timer("时钟_Cpu").BindTick([&] { ++ticks; });
    window.Create();
    window.BindPositionChanged([&] { ++moves; });
    window.SetVisible(true);
    EXPECT_TRUE(window.RequestClose());  // no handler: the window closes
    EXPECT_EQ(window.State(), WindowState::Destroyed);
    window.Timer("时钟_Cpu").Tick();
    window.MoveTo(1, 1);
    window.SetVisible(true);
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(moves, 0);
    EXPECT_FALSE(window.Visible());
}

TEST(WindowClosing, EscapeDoesNothingWithoutTheFlag) {
    WindowDesign design = SmallDesign();
    design.flags.escCloses = false;
    Window window(design);
    window.Create();
    EXPECT_FALSE(window.PressEscape());
    EXPECT_TRUE(window.Exists());
}

TEST(WindowEvents, TimerAndTrayEventsWaitForCreation) {
    Window window(SmallDesign());
    int ticks = 0;
    std::vector<TrayClick> tray;
    window.Timer("时钟_Cpu").BindTick([&] { ++ticks; });
    window.BindTrayEvent([&](TrayClick click) { tray.push_back(click); });
    window.Timer("时钟_Cpu").Tick();
    window.RaiseTrayEvent(TrayClick::RightUp);
    EXPECT_EQ(ticks, 0);
    EXPECT_TRUE(tray.empty());
    window.Create();
    window.Timer("时钟_Cpu").Tick();
    window.RaiseTrayEvent(TrayClick::DoubleClick);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(tray, std::vector<TrayClick>{TrayClick::DoubleClick});
}

// Every change a window reports, with the value it carries, as text.
std::string Describe(const WindowChange& change) {
    return std::visit(Overloaded{[](const PositionChange& c) {
                                     return "at " + std::to_string(c.position.x) + "," + std::to_string(c.position.y);
                                 },
                                 [](const VisibilityChange& c) { return std::string(c.visible ? "shown" : "hidden"); },
                                 [](const TitleChange& c) { return "title " + std::string(c.title); },
                                 [](const StateChange& c) {
                                     return std::string(c.state == WindowState::Created ? "created" : "destroyed");
                                 },
                                 [](const ToolTipChange& c) { return "tip " + std::string(c.text); },
                                 [](const StepAsideChange& c) { return std::string(c.aside ? "aside" : "back"); },
                                 [](const ToFrontChange&) { return std::string("front"); }},
                      change);
}

TEST(WindowObservers, HearEachChangeWithItsNewValueAndOnlyWhenSomethingChanged) {
    Window window(SmallDesign());
    std::vector<std::string> windowChanges;
    std::vector<std::string> labelChanges;
    const Subscription windowObserver =
        window.Subscribe([&](const WindowChange& change) { windowChanges.push_back(Describe(change)); });
    const Subscription labelObserver = window.Label("显示_当前Cpu使用率").Subscribe([&](const LabelChange& change) {
        std::visit(Overloaded{[&](const TextChange& c) { labelChanges.push_back(std::string(c.text)); },
                              [&](const TextColourChange&) { labelChanges.push_back("colour"); },
                              [&](const BackgroundChange& c) { labelChanges.push_back(c.colour ? "fill" : "clear"); }},
                   change);
    });
    window.SetVisible(true);
    window.SetVisible(true);
    window.SetTitle("small");  // unchanged
    window.MoveTo(3, 4);
    window.SetTitle("big");
    window.SetSteppedAside(true);
    window.SetSteppedAside(true);  // unchanged
    EXPECT_TRUE(window.Visible());
    EXPECT_FALSE(window.OnScreen());
    window.SetSteppedAside(false);
    window.Label("显示_当前Cpu使用率").SetText("0%");  // unchanged
    window.Label("显示_当前Cpu使用率").SetText("7%");
    window.Label("显示_当前Cpu使用率").SetBackground(std::nullopt);  // unchanged
    window.Label("显示_当前Cpu使用率").SetBackground(colours::kRed);
    window.BringToFront();  // not created yet
    window.Create();
    window.BringToFront();
    window.RequestClose();
    window.BringToFront();  // destroyed
    EXPECT_EQ(windowChanges, (std::vector<std::string>{"shown", "at 3,4", "title big", "aside", "back", "created",
                                                       "front", "hidden", "destroyed"}));
    EXPECT_EQ(labelChanges, (std::vector<std::string>{"7%", "fill"}));
}

TEST(WindowObservers, ASubscriptionEndsWithItsOwnerAndMayOutliveTheModel) {
    auto window = std::make_unique<Window>(SmallDesign());
    Label& label = window->Label("显示_当前Cpu使用率");
    int calls = 0;
    Subscription kept;
    {
        Subscription scoped = label.Subscribe([&](const LabelChange&) { ++calls; });
        label.SetText("1%");
        kept = std::move(scoped);  // the observer moves with the subscription and stays subscribed
    }
    label.SetText("2%");
    kept.Reset();
    label.SetText("3%");
    EXPECT_EQ(calls, 2);

    Subscription outliving = label.Subscribe([&](const LabelChange&) { ++calls; });
    window.reset();  // destroying the subscription later touches nothing of the window
}

TEST(WindowObservers, AnObserverEndedDuringANotificationIsNotCalledAgain) {
    Window window(SmallDesign());
    std::vector<std::string> calls;
    Subscription second;
    Subscription late;
    bool subscribedLate = false;
    const Subscription first = window.Subscribe([&](const WindowChange&) {
        calls.push_back("first");
        second.Reset();
        if (!subscribedLate) {
            subscribedLate = true;
            late = window.Subscribe([&](const WindowChange&) { calls.push_back("late"); });
        }
    });
    second = window.Subscribe([&](const WindowChange&) { calls.push_back("second"); });
    window.MoveTo(1, 1);  // the observer subscribed during this notification hears only the next one
    window.MoveTo(2, 2);
    EXPECT_EQ(calls, (std::vector<std::string>{"first", "first", "late"}));
}

TEST(WindowLookup, WrongNameOrKindIsReportedWithTheName) {
    Window window(SmallDesign());
    EXPECT_EQ(window.Find("nothing"), nullptr);
    try {
        window.Button("显示_当前Cpu使用率");
        FAIL() << "a label looked up as a button";
    } catch (const std::out_of_range& error) {
        EXPECT_NE(std::string(error.what()).find("显示_当前Cpu使用率"), std::string::npos);
    }
    EXPECT_THROW(window.Label("显示_最高Cpu使用率"), std::out_of_range);
}

TEST(WindowLookup, DuplicateControlNamesAreRefused) {
    WindowDesign design = SmallDesign();
    design.controls.push_back(design.controls.back());
    EXPECT_THROW(Window{design}, std::invalid_argument);
}

}  // namespace
}  // namespace quorell
