// The production runtime on a real Qt event loop: waits, timers, disposal, dialogs, quit.
#include "platform/qt/qt_runtime.h"

#include <gtest/gtest.h>
#include <time.h>

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/qt/view_host.h"
#include "support/cpu_time.h"

namespace qv {
namespace {

// The application's own event loop, outside every wait the program asks for.
void runOuterLoop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// Acts on the modal dialog once it is up.
template <class Dialog>
void whenModal(std::function<void(Dialog&)> act) {
    QTimer::singleShot(10, [act] {
        if (auto* d = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            act(*d);
        } else {
            whenModal<Dialog>(act);
        }
    });
}

TEST(QtRuntimeWait, LastsItsTimeAndEndsOnlyAfterAnInnerWait) {
    QtRuntime rt(Environment{});
    double t = rt.now();
    rt.wait(0.15);
    const double plain = rt.now() - t;
    EXPECT_GE(plain, 0.15);
    EXPECT_LT(plain, 0.20);

    // An inner wait that outlasts the outer one holds the outer sequence back.
    std::vector<std::string> order;
    t = rt.now();
    rt.post([&] {
        order.push_back("inner start");
        rt.wait(0.3);
        order.push_back("inner end");
    });
    rt.wait(0.1);
    order.push_back("outer end");
    EXPECT_EQ(order, (std::vector<std::string>{"inner start", "inner end", "outer end"}));
    EXPECT_GE(rt.now() - t, 0.3);

    // A short inner wait does not cut the outer one short.
    t = rt.now();
    rt.post([&] { rt.wait(0.05); });
    rt.wait(0.25);
    EXPECT_GE(rt.now() - t, 0.25);
}

TEST(QtRuntimeWait, NoEventsWaitSleepsAndDoEventsCatchesUp) {
    QtRuntime rt(Environment{});
    bool ran = false;
    rt.post([&] { ran = true; });
    const double t = rt.now();
    rt.waitNoEvents(0.1);
    EXPECT_GE(rt.now() - t, 0.1);
    EXPECT_FALSE(ran);
    rt.doEvents();
    EXPECT_TRUE(ran);
}

TEST(QtRuntimeWaitForEvents, BlocksUntilTheDeadlineWithoutSpinning) {
    QtRuntime rt(Environment{});
    const double t = rt.now();
    const double end = t + 0.3;
    const double cpu = test::processCpuSeconds();
    int turns = 0;
    while (rt.now() < end) {
        rt.waitForEvents(end);
        ++turns;
    }
    EXPECT_GE(rt.now() - t, 0.3);
    EXPECT_LT(rt.now() - t, 0.35);
    EXPECT_LE(turns, 3);
    EXPECT_LT(test::processCpuSeconds() - cpu, 0.05);
}

// A handler that plays an effect: it loops on waits under the outer loop. `click` runs
// inside its first wait, as a click does; the loop's passes and CPU over the next 0.3 s
// are what it reports. `after` runs when the loop has ended, still inside the handler.
struct ClockLoop {
    int turns = -1;
    double cpu = 0;

    void run(
        QtRuntime& rt, std::function<void()> click, std::function<void()> after = [] {}) {
        rt.post([&] {
            rt.post(click);
            rt.waitForEvents(rt.now() + 0.05);
            const double end = rt.now() + 0.3;
            cpu = test::processCpuSeconds();
            turns = 0;
            while (rt.now() < end) {
                rt.waitForEvents(end);
                ++turns;
            }
            cpu = test::processCpuSeconds() - cpu;
            after();
        });
        runOuterLoop(500);
    }
};

TEST(QtRuntimeWaitForEvents, AClickInsideAClockLoopLeavesNothingToSpinOn) {
    // The click unloads a window: its disposal waits until the effect's handler is done.
    {
        QtRuntime rt(Environment{});
        bool disposed = false, disposedWhilePlaying = true;
        ClockLoop loop;
        loop.run(
            rt, [&] { rt.disposeLater([&] { disposed = true; }); }, [&] { disposedWhilePlaying = disposed; });
        EXPECT_GE(loop.turns, 1);
        EXPECT_LE(loop.turns, 3);
        EXPECT_LT(loop.cpu, 0.05);
        EXPECT_FALSE(disposedWhilePlaying);
        EXPECT_TRUE(disposed);
    }
    // The click stops a timer, as opening the settings dialog stops the polling.
    {
        QtRuntime rt(Environment{});
        const int id = rt.startTimer(50, [] {});
        ClockLoop loop;
        loop.run(rt, [&] { rt.stopTimer(id); });
        EXPECT_GE(loop.turns, 1);
        EXPECT_LE(loop.turns, 3);
        EXPECT_LT(loop.cpu, 0.05);
    }
}

TEST(QtRuntimeWaitForEvents, ReturnsRightAfterAnEvent) {
    QtRuntime rt(Environment{});
    bool ran = false;
    QTimer::singleShot(50, Qt::PreciseTimer, [&] { ran = true; });
    const double t = rt.now();
    while (!ran && rt.now() < t + 2.0) rt.waitForEvents(t + 2.0);
    EXPECT_TRUE(ran);
    EXPECT_LT(rt.now() - t, 0.3);
}

// A drain or a clock loop that changed nothing is not synced again; whatever changed
// on the way in, or in a handler run inside, still is.
TEST(QtRuntimeSync, OnlyWhereSomethingMayHaveChanged) {
    struct CountingView : ViewHost {
        void formShown(Form&) override {}
        void formHidden(Form&) override {}
        void formUnloaded(Form&) override {}
        void syncAll() override { ++syncs; }
        int syncs = 0;
    } view;
    QtRuntime rt(Environment{});
    rt.setView(&view);
    int drain = -1, afterWait = -1, withInner = -1, fresh = -1;
    rt.post([] {});  // ends with the screen in step
    rt.post([&] {
        int s = view.syncs;
        rt.doEventsUnchanged();
        rt.doEventsUnchanged();
        drain = view.syncs - s;
        rt.waitForEvents(rt.now() + 0.01);
        s = view.syncs;
        rt.waitForEventsUnchanged(rt.now() + 0.01);
        afterWait = view.syncs - s;
        rt.post([] {});
        s = view.syncs;
        rt.doEventsUnchanged();
        rt.doEventsUnchanged();
        withInner = view.syncs - s;
    });
    runOuterLoop(100);
    EXPECT_EQ(drain, 0);
    EXPECT_EQ(afterWait, 0);
    EXPECT_EQ(withInner, 1);  // the inner handler's own
    // A new view has seen nothing yet.
    CountingView other;
    rt.setView(&other);
    rt.post([&] {
        rt.doEventsUnchanged();
        fresh = other.syncs;
    });
    runOuterLoop(50);
    EXPECT_EQ(fresh, 1);
}

TEST(QtRuntimeTimers, KeepTheirBeatAndMayStopThemselves) {
    QtRuntime rt(Environment{});
    int ticks = 0;
    const int id = rt.startTimer(20, [&] { ++ticks; });
    rt.wait(0.5);
    rt.stopTimer(id);
    EXPECT_GE(ticks, 20);
    EXPECT_LE(ticks, 25);
    rt.wait(0.1);
    EXPECT_LE(ticks, 25);

    int self = 0;
    int selfId = 0;
    selfId = rt.startTimer(10, [&] {
        if (++self == 3) rt.stopTimer(selfId);
    });
    rt.wait(0.2);
    EXPECT_EQ(self, 3);
}

TEST(QtRuntimeDispose, RunsOnlyBackAtTheOutermostLoop) {
    QtRuntime rt(Environment{});
    bool byHandler = false, byClick = false;
    bool byHandlerInWait = false, byClickInWait = false;
    rt.post([&] {
        rt.disposeLater([&] { byHandler = true; });
        // A click handled inside the wait unloads a window too.
        rt.post([&] { rt.disposeLater([&] { byClick = true; }); });
        rt.wait(0.1);
        byHandlerInWait = byHandler;
        byClickInWait = byClick;
    });
    runOuterLoop(300);
    EXPECT_FALSE(byHandlerInWait);
    EXPECT_FALSE(byClickInWait);
    EXPECT_TRUE(byHandler);
    EXPECT_TRUE(byClick);
}

TEST(QtRuntimeDialogs, MessageBoxBreaksLinesAtCarriageReturnsAndShowsTheStyle) {
    QtRuntime rt(Environment{});
    struct Case {
        int style;
        QMessageBox::Icon icon;
    };
    for (const Case c : {Case{MsgOkOnly, QMessageBox::NoIcon}, Case{MsgCritical, QMessageBox::Critical},
                         Case{MsgQuestion, QMessageBox::Question}, Case{MsgExclamation, QMessageBox::Warning},
                         Case{MsgInformation, QMessageBox::Information}}) {
        QString text, title;
        QMessageBox::Icon icon{};
        QMessageBox::StandardButtons buttons{};
        whenModal<QMessageBox>([&](QMessageBox& box) {
            text = box.text();
            title = box.windowTitle();
            icon = box.icon();
            buttons = box.standardButtons();
            box.button(QMessageBox::Ok)->click();
        });
        EXPECT_EQ(rt.msgBox("\r\rVersion 1.5.36\r\rDate", c.style, "Info"), MsgResultOk);
        EXPECT_EQ(text, QStringLiteral("\n\nVersion 1.5.36\n\nDate"));
        EXPECT_EQ(title, QStringLiteral("Info"));
        EXPECT_EQ(icon, c.icon) << "style " << c.style;
        EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
}

TEST(QtRuntimeDialogs, ColourChooserSpeaksBlueGreenRedNumbers) {
    QtRuntime rt(Environment{});
    QColor shown;
    whenModal<QColorDialog>([&](QColorDialog& d) {
        shown = d.currentColor();
        d.setCurrentColor(QColor(0x10, 0x20, 0x30));
        d.accept();
    });
    EXPECT_EQ(rt.chooseColor(0x112233), 0x302010);
    EXPECT_EQ(shown, QColor(0x33, 0x22, 0x11));

    whenModal<QColorDialog>([](QColorDialog& d) { d.reject(); });
    EXPECT_EQ(rt.chooseColor(0x8080FF), std::nullopt);
}

TEST(QtRuntimeQuitDeathTest, EndsTheProgramFromInsideANestedWait) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            QtRuntime rt(Environment{});
            rt.post([&] { rt.quit(); });
            rt.wait(5);
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace qv
