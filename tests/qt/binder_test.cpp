// The Qt binder: window objects rendered as widgets, kept in step by syncAll, and user
// input turned into the objects' own events.
#include "platform/qt/binder.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTabBar>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/qt/binder_widgets.h"
#include "platform/runtime.h"
#include "support/temp_dir.h"

namespace qv {
namespace {

// Just enough of a runtime for windows and their view: it hands the view its form events
// and keeps disposals until the test says the outer loop has been reached.
class ViewRuntime : public ViewServices, public ViewNotices {
public:
    QtBinder* view = nullptr;
    std::vector<std::function<void()>> disposals;
    std::vector<std::string> messages;

    void runDisposals() {
        auto pending = std::move(disposals);
        for (auto& fn : pending) fn();
    }

    void disposeLater(std::function<void()> fn) override { disposals.push_back(std::move(fn)); }
    int startTimer(int, std::function<void()>) override { return 1; }
    void stopTimer(int) override {}
    void quit() override {}
    int msgBox(const std::string& text, int, const std::string&) override {
        messages.push_back(text);
        return MsgResultOk;
    }
    std::optional<int> chooseColor(int) override { return std::nullopt; }
    void formShown(Form& f) override { view->formShown(f); }
    void formHidden(Form& f) override { view->formHidden(f); }
    void formUnloaded(Form& f) override { view->formUnloaded(f); }
    const Environment& env() const override { return env_; }

private:
    Environment env_{"", "binder_test", "", ""};
};

// A small panel: a label, a graphical button, a combo, a scroll bar and a check box in
// a frame, plus the events it saw.
class Panel : public Form {
public:
    explicit Panel(ViewRuntime& runtime)
        : Form(runtime, runtime, "Panel"),
          Frame1(add<Frame>("Frame1")),
          Label_Status(add<Label>("Label_Status", 3, &Frame1)),
          CMD_Led(add<CommandButton>("CMD_Led", 1, &Frame1)),
          Combo(add<ComboBox>("Combo", -1, &Frame1)),
          Speed(add<ScrollBar>("Speed", true, -1, &Frame1)),
          Check(add<CheckBox>("Check", -1, &Frame1)),
          Tick(addTimer("Tick", 100)) {
        Caption = "Panel";
        ClientWidth = 6000;
        ClientHeight = 4500;
        BackColor = 0xE1C6B3;
        place(Frame1, 150, 300, 5700, 3900);
        place(Label_Status, 150, 150, 1500, 300);
        Label_Status.Caption = "Not connected";
        Label_Status.BackColor = 0x8080FF;
        Label_Status.BorderSingle = true;
        place(CMD_Led, 1800, 150, 1500, 1575);
        CMD_Led.Graphical = true;
        CMD_Led.BackColor = kWhite;
        CMD_Led.accessibleName = "LED 1";
        CMD_Led.onClick = [this] { events.push_back("led " + std::to_string(Form::active() == this)); };
        place(Combo, 150, 1950, 1455, 315);
        Combo.Text = "Baud Rate";
        Combo.items = {"9600", "115200"};
        Combo.onClick = [this] { events.push_back("combo " + Combo.Text); };
        place(Speed, 3600, 150, 330, 1605);
        Speed.Max = 5000;
        Speed.SmallChange = 50;
        Speed.LargeChange = 250;
        Speed.initValue(4500);
        Speed.onScroll = [this] { events.push_back("scroll " + std::to_string(Speed.value())); };
        Speed.onChange = [this] { events.push_back("change " + std::to_string(Speed.value())); };
        place(Check, 1800, 1950, 945, 420);
        Check.Caption = "Auto next";
        Check.onClick = [this] { events.push_back("check " + std::to_string(Check.value())); };
    }

    static void place(Control& c, double l, double t, double w, double h) {
        c.Left = l;
        c.Top = t;
        c.Width = w;
        c.Height = h;
    }

    void Form_KeyPress(int code) override { events.push_back("key " + std::to_string(code)); }
    void Form_Resize() override {
        events.push_back("resize");
        widthAtResize = Width;
    }

    Frame& Frame1;
    Label& Label_Status;
    CommandButton& CMD_Led;
    ComboBox& Combo;
    ScrollBar& Speed;
    CheckBox& Check;
    Timer& Tick;
    std::vector<std::string> events;
    double widthAtResize = 0;
};

class BinderTest : public ::testing::Test {
protected:
    BinderTest() { rt.view = &binder; }
    ~BinderTest() override { rt.runDisposals(); }

    template <class W = QWidget>
    W* widget(const Control& c) {
        return qobject_cast<W*>(binder.widget(c));
    }
    // What the control shows at its centre, read from the screen buffer.
    static QColor shownAt(QWidget* w, QPoint p) { return QColor(w->grab().toImage().pixel(p)); }

    static void leftClick(QWidget* w) {
        const QPointF at(w->width() / 2.0, w->height() / 2.0);
        const QPointF global = w->mapToGlobal(at);
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
    }

    ViewRuntime rt;
    QtBinder binder{rt};
};

TEST_F(BinderTest, BuildsNestedWidgetsAtTheirPixelGeometry) {
    Panel p(rt);
    p.Show();
    QWidget* win = binder.window(p);
    ASSERT_NE(win, nullptr);
    EXPECT_TRUE(win->isVisible());
    EXPECT_EQ(win->objectName(), "Panel");
    EXPECT_EQ(win->windowTitle(), "Panel");
    const double k = binder.pixelsPerTwip() * 15;  // 1 on a 96 dpi screen
    EXPECT_EQ(win->size(), QSize(qRound(400 * k), qRound(300 * k)));

    QWidget* frame = binder.widget(p.Frame1);
    QWidget* label = binder.widget(p.Label_Status);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->objectName(), "Label_Status(3)");
    EXPECT_EQ(label->parentWidget(), frame);
    EXPECT_EQ(label->geometry(), QRect(qRound(10 * k), qRound(10 * k), qRound(100 * k), qRound(20 * k)));
    EXPECT_EQ(binder.widget(p.CMD_Led)->objectName(), "CMD_Led(1)");
    EXPECT_EQ(binder.widget(p.CMD_Led)->geometry(),
              QRect(qRound(120 * k), qRound(10 * k), qRound(100 * k), qRound(105 * k)));
    EXPECT_EQ(binder.widget(p.Tick), nullptr);

    // The label paints its colour number (red in the low byte) inside its border.
    EXPECT_EQ(shownAt(label, QPoint(4, 4)), QColor(0xFF, 0x80, 0x80));
    // No outer size was declared: the first show reports the design size, whatever frame
    // the window manager adds, so a layout recorded before the show scales by exactly 1.
    EXPECT_DOUBLE_EQ(p.Width, 6000);
    EXPECT_DOUBLE_EQ(p.Height, 4500);
}

TEST_F(BinderTest, SyncBringsChangedFieldsOnScreenAndLeavesTheRestAlone) {
    Panel p(rt);
    p.Show();
    QWidget* label = binder.widget(p.Label_Status);
    QApplication::processEvents();

    // An idle sync repaints nothing.
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++paints;
            return false;
        }
    } counter;
    for (QWidget* w : binder.window(p)->findChildren<QWidget*>()) w->installEventFilter(&counter);
    binder.syncAll();
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);

    p.Label_Status.Caption = "Connected";
    p.Label_Status.BackColor = 0x80FF80;
    p.CMD_Led.Visible = false;
    p.Label_Status.Left = 300;
    binder.syncAll();
    EXPECT_EQ(label->accessibleName(), "Connected");
    EXPECT_EQ(shownAt(label, QPoint(4, 4)), QColor(0x80, 0xFF, 0x80));
    EXPECT_FALSE(binder.widget(p.CMD_Led)->isVisible());
    EXPECT_EQ(label->x(), qRound(300 * binder.pixelsPerTwip()));

    p.Caption = "Renamed";
    binder.syncAll();
    EXPECT_EQ(binder.window(p)->windowTitle(), "Renamed");
}

TEST_F(BinderTest, ADisabledFormTakesNoInputButKeepsItsLook) {
    Panel p(rt);
    p.Show();
    QWidget* win = binder.window(p);
    QWidget* led = binder.widget(p.CMD_Led);
    const QColor before = shownAt(binder.widget(p.Label_Status), QPoint(4, 4));
    int closeRequests = 0;
    p.onCloseRequest = [&] { ++closeRequests; };
    p.Enabled = false;
    binder.syncAll();
    p.events.clear();

    leftClick(led);
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    QApplication::sendEvent(win, &esc);
    win->close();
    EXPECT_TRUE(p.events.empty());
    EXPECT_EQ(closeRequests, 0);
    EXPECT_TRUE(win->isVisible());
    EXPECT_TRUE(led->isEnabled()) << "not greyed";
    EXPECT_EQ(shownAt(binder.widget(p.Label_Status), QPoint(4, 4)), before);

    p.Enabled = true;
    binder.syncAll();
    leftClick(led);
    win->close();
    EXPECT_EQ(p.events, std::vector<std::string>{"led 1"});
    EXPECT_EQ(closeRequests, 1);
}

TEST_F(BinderTest, AChosenOptionClickedAgainStaysChosen) {
    Form f(rt, rt, "F");
    f.ClientWidth = f.ClientHeight = 3000;
    OptionButton& on = f.add<OptionButton>("OptionGeluid", 1);
    OptionButton& off = f.add<OptionButton>("OptionGeluid", 0);
    Panel::place(on, 0, 0, 900, 300);
    Panel::place(off, 0, 600, 900, 300);
    int clicks = 0;
    on.onClick = [&] { ++clicks; };
    f.Show();
    auto* b = widget<QAbstractButton>(on);
    b->click();
    b->click();
    binder.syncAll();
    EXPECT_TRUE(on.value());
    EXPECT_TRUE(b->isChecked());
    EXPECT_EQ(clicks, 1);
    widget<QAbstractButton>(off)->click();
    binder.syncAll();
    EXPECT_FALSE(b->isChecked());
}

TEST_F(BinderTest, KeyboardFocusStartsOnTheFormsFirstControlInTabOrder) {
    Panel p(rt);
    p.firstInTabOrder = &p.Check;
    p.Show();
    EXPECT_EQ(binder.window(p)->focusWidget(), binder.widget(p.Check));
}

TEST_F(BinderTest, ClicksRaiseTheControlsEventsAfterActivatingTheForm) {
    Panel p(rt);
    Form other(rt, rt, "Other");
    p.Show();
    other.Show();
    ASSERT_EQ(Form::active(), &other);
    p.events.clear();

    widget<QAbstractButton>(p.CMD_Led)->click();
    // The check box toggles its object, whose value change raises Click.
    widget<QAbstractButton>(p.Check)->click();
    widget<QAbstractButton>(p.Check)->click();
    EXPECT_EQ(p.events, (std::vector<std::string>{"led 1", "check 1", "check 0"}));
    EXPECT_EQ(widget<QCheckBox>(p.Check)->checkState(), Qt::Unchecked);

    // Labels take clicks too; a disabled control takes none.
    int labelClicks = 0;
    p.Label_Status.onClick = [&] { ++labelClicks; };
    leftClick(binder.widget(p.Label_Status));
    p.Label_Status.Enabled = false;
    binder.syncAll();
    leftClick(binder.widget(p.Label_Status));
    EXPECT_EQ(labelClicks, 1);
}

TEST_F(BinderTest, GraphicalCheckBoxStaysPressedWhileSet) {
    Form f(rt, rt, "F");
    f.ClientWidth = f.ClientHeight = 3000;
    CheckBox& box = f.add<CheckBox>("Auto");
    Panel::place(box, 0, 0, 945, 420);
    box.Graphical = true;
    box.Caption = "Auto next";
    f.Show();
    auto* b = widget<QAbstractButton>(box);
    ASSERT_TRUE(b->isCheckable());
    b->click();
    EXPECT_EQ(box.value(), 1);
    EXPECT_TRUE(b->isChecked());
    box.setValue(0);
    binder.syncAll();
    EXPECT_FALSE(b->isChecked());
}

TEST_F(BinderTest, ComboChoiceSetsTextThenClicksAndTypingOnlyChangesText) {
    Panel p(rt);
    p.Show();
    p.events.clear();
    auto* combo = widget<QComboBox>(p.Combo);
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->currentText(), "Baud Rate");

    emit combo->activated(1);
    EXPECT_EQ(p.Combo.Text, "115200");
    EXPECT_EQ(p.events, std::vector<std::string>{"combo 115200"});

    combo->lineEdit()->selectAll();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_4, Qt::NoModifier, "4");
    QApplication::sendEvent(combo->lineEdit(), &key);
    EXPECT_EQ(p.Combo.Text, "4");
    EXPECT_EQ(p.events.size(), 1u);

    // Typed text is neither completed from the list nor taken as a choice when the
    // focus leaves the list.
    p.Combo.items = {"Com 12", "115200"};
    binder.syncAll();
    combo->lineEdit()->clear();
    QApplication::setActiveWindow(binder.window(p));
    combo->setFocus();
    for (QChar ch : QStringLiteral("Com 1")) {
        QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(combo, &typed);
    }
    EXPECT_EQ(p.Combo.Text, "Com 1");
    EXPECT_EQ(combo->currentText(), "Com 1");
    combo->lineEdit()->setText("115200");
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(combo, &out);
    EXPECT_EQ(p.events.size(), 1u);

    // New items from the program replace the list and keep the object's text.
    p.Combo.items = {"Com 3", "Com 5"};
    p.Combo.Text = "Com 5";
    binder.syncAll();
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0), "Com 3");
    EXPECT_EQ(combo->currentText(), "Com 5");
}

TEST_F(BinderTest, AComboIsAsHighAsItsFontAndReturnsExactlyToItsDesignHeight) {
    Panel p(rt);
    p.Show();
    auto* combo = widget<QComboBox>(p.Combo);
    const QRect design = combo->geometry();
    // The resizer at two and a half times the design size grows the font alone: a
    // drop-down list's height is not the program's to set.
    p.Combo.font.edit().Size = 20;
    binder.syncAll();
    EXPECT_GE(combo->lineEdit()->height(), QFontMetrics(combo->font()).height())
        << "text cut at top and bottom";
    p.Combo.font.edit().Size = 8;
    binder.syncAll();
    p.Combo.font.edit().Size = 8.25;
    binder.syncAll();
    EXPECT_EQ(combo->geometry(), design);
}

TEST_F(BinderTest, ScrollBarDragScrollsThenChangesOnceAndStepsChangeAtOnce) {
    Panel p(rt);
    p.Show();
    p.events.clear();
    auto* bar = widget<QScrollBar>(p.Speed);
    EXPECT_EQ(bar->maximum(), 5000);
    EXPECT_EQ(bar->value(), 4500);

    bar->setSliderDown(true);
    bar->setSliderPosition(4000);
    bar->setSliderPosition(3000);
    bar->setSliderDown(false);
    EXPECT_EQ(p.events, (std::vector<std::string>{"scroll 4000", "scroll 3000", "change 3000"}));
    EXPECT_EQ(p.Speed.value(), 3000);

    p.events.clear();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(p.events, std::vector<std::string>{"change 3050"});

    // With Min above Max, Min still sits at the top.
    p.Speed.Min = 100;
    p.Speed.Max = 0;
    p.Speed.initValue(100);
    binder.syncAll();
    EXPECT_EQ(bar->value(), bar->minimum());
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(p.Speed.value(), 0);
}

TEST_F(BinderTest, WindowEventsReachTheForm) {
    Panel p(rt);
    p.Show();
    QWidget* win = binder.window(p);
    EXPECT_NE(std::find(p.events.begin(), p.events.end(), "resize"), p.events.end());
    p.events.clear();

    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    QApplication::sendEvent(win, &esc);
    EXPECT_EQ(p.events, std::vector<std::string>{"key 27"});

    // The close box asks the form's owner and hides nothing by itself.
    int closeRequests = 0;
    p.onCloseRequest = [&] { ++closeRequests; };
    win->close();
    EXPECT_EQ(closeRequests, 1);
    EXPECT_TRUE(win->isVisible());

    // A resize reports the new outer size (client plus frame) before Form_Resize runs.
    p.events.clear();
    const double width = p.Width, height = p.Height;
    win->resize(win->width() * 2, win->height());
    EXPECT_EQ(p.events, std::vector<std::string>{"resize"});
    EXPECT_NEAR(p.widthAtResize - width, 6000, 15);
    EXPECT_DOUBLE_EQ(p.Height, height);
}

TEST_F(BinderTest, OuterSizeGivenBeforeTheFirstShowIsReportedBack) {
    Panel p(rt);
    p.Width = 6240;
    p.Height = 5100;
    p.Show();
    EXPECT_DOUBLE_EQ(p.Width, 6240);
    EXPECT_DOUBLE_EQ(p.Height, 5100);
}

TEST_F(BinderTest, AccessibleNamesComeFromCaptionOrTheControlsName) {
    Panel p(rt);
    p.accessibleName = "Test panel";
    p.Show();
    EXPECT_EQ(binder.widget(p.CMD_Led)->accessibleName(), "LED 1");
    EXPECT_EQ(binder.widget(p.Check)->accessibleName(), "Auto next");
    EXPECT_EQ(binder.window(p)->accessibleName(), "Panel");
    p.Caption.clear();
    binder.syncAll();
    EXPECT_EQ(binder.window(p)->accessibleName(), "Test panel");
}

TEST_F(BinderTest, AssistiveTechnologyReadsLabelsAsTextOptionsAsRadioButtonsAndLedsAsLitOrNot) {
    Panel p(rt);
    OptionButton& on = p.add<OptionButton>("OptionGeluid", 1, &p.Frame1);
    OptionButton& off = p.add<OptionButton>("OptionGeluid", 0, &p.Frame1);
    for (OptionButton* o : {&on, &off}) {
        Panel::place(*o, 3600, o == &on ? 2000 : 2700, 1200, 600);
        o->Graphical = true;
    }
    on.accessibleName = "Sound on";
    off.accessibleName = "Sound off";
    on.initValue(true);
    bool lit = false;
    p.CMD_Led.isOn = [&] { return lit; };
    p.Show();
    auto read = [&](const Control& c) { return QAccessible::queryAccessibleInterface(binder.widget(c)); };

    QAccessibleInterface* cell = read(p.Label_Status);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->role(), QAccessible::StaticText);
    EXPECT_EQ(cell->text(QAccessible::Name), "Not connected");

    EXPECT_EQ(read(on)->role(), QAccessible::RadioButton);
    EXPECT_EQ(read(on)->text(QAccessible::Name), "Sound on");
    EXPECT_TRUE(read(on)->state().checked);
    EXPECT_FALSE(read(off)->state().checked);
    off.select();
    binder.syncAll();
    EXPECT_FALSE(read(on)->state().checked);
    EXPECT_TRUE(read(off)->state().checked);

    QAccessibleInterface* led = read(p.CMD_Led);
    EXPECT_EQ(led->text(QAccessible::Name), "LED 1");
    EXPECT_TRUE(led->state().checkable);
    EXPECT_FALSE(led->state().checked);
    lit = true;
    binder.syncAll();
    EXPECT_TRUE(led->state().checked);
    // Its look does not latch: the picture and colours show the LED, not a pressed button.
    EXPECT_FALSE(widget<QAbstractButton>(p.CMD_Led)->isChecked());
    // Pressing it through the interface clicks it.
    p.events.clear();
    led->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(p.events, std::vector<std::string>{"led 1"});
}

TEST_F(BinderTest, AssistiveTechnologyIsToldTheAreaAShapePaintsNotItsWidgets) {
    Panel p(rt);
    // A bar as long as an analog reading: its widget reaches to the frame's far edges.
    Shape& bar = p.add<Shape>("Shape_Bar", 0, &p.Frame1);
    Panel::place(bar, 150, 2400, 900, 300);
    p.Show();
    QAccessibleInterface* read = QAccessible::queryAccessibleInterface(binder.widget(bar));
    ASSERT_NE(read, nullptr);
    const double k = binder.pixelsPerTwip() * 15;
    const QPoint at = binder.widget(p.Frame1)->mapToGlobal(QPoint(qRound(10 * k), qRound(160 * k)));
    EXPECT_EQ(read->rect(), QRect(at, QSize(qRound(60 * k), qRound(20 * k))));
    bar.Width = 1500;
    binder.syncAll();
    EXPECT_EQ(read->rect(), QRect(at, QSize(qRound(100 * k), qRound(20 * k))));
    // Still read as before: an area without a name.
    EXPECT_EQ(read->role(), QAccessible::Client);
    EXPECT_TRUE(read->text(QAccessible::Name).isEmpty());
}

TEST_F(BinderTest, UnloadInsideAClickDropsTheFormButKeepsTheWidgetUntilDisposal) {
    auto p = std::make_unique<Panel>(rt);
    p->Show();
    QPointer<QWidget> win = binder.window(*p);
    Panel* raw = p.get();
    raw->CMD_Led.onClick = [&] {
        raw->Hide();
        rt.formUnloaded(*raw);
        p.reset();
    };
    widget<QAbstractButton>(raw->CMD_Led)->click();
    EXPECT_TRUE(win);
    EXPECT_FALSE(win->isVisible());
    rt.runDisposals();
    EXPECT_FALSE(win);
}

TEST_F(BinderTest, PicturesLoadFromFilesCutAtTheBoxEdgeAndMaskBlack) {
    test::TempDir dir;
    QImage img(40, 20, QImage::Format_RGB32);
    img.fill(Qt::black);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) img.setPixel(x, y, qRgb(0, 0, 255));
    const std::string path = dir.file("Img Led.bmp");
    ASSERT_TRUE(img.save(QString::fromStdString(path)));

    Form f(rt, rt, "F");
    f.ClientWidth = f.ClientHeight = 3000;
    f.BackColor = kWhite;
    PictureBox& box = f.add<PictureBox>("Picture_Arduino");
    Panel::place(box, 0, 0, 600, 300);
    box.BackColor = 0x3C3C3C;
    box.Picture = path;
    CommandButton& led = f.add<CommandButton>("CMD_LumiLed", 1);
    Panel::place(led, 1200, 0, 1500, 1500);
    led.Graphical = true;
    led.BackColor = 0x00FF00;  // green shows through the black half
    led.Picture = path;
    led.UseMaskColor = true;
    f.Show();
    const double k = binder.pixelsPerTwip() * 15;

    QWidget* bw = binder.widget(box);
    EXPECT_EQ(shownAt(bw, QPoint(qRound(5 * k), qRound(5 * k))), QColor(0, 0, 255));
    EXPECT_EQ(shownAt(bw, QPoint(qRound(30 * k), qRound(5 * k))), QColor(0, 0, 0));

    // A narrower box shows the picture's left part only.
    box.Width = 150;
    binder.syncAll();
    EXPECT_EQ(bw->width(), qRound(10 * k));
    EXPECT_EQ(shownAt(bw, QPoint(qRound(5 * k), qRound(5 * k))), QColor(0, 0, 255));

    // The button's picture: blue where blue, the button's green where it was black.
    QWidget* lw = binder.widget(led);
    const QImage shot = lw->grab().toImage();
    bool blue = false, black = false, green = false;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QRgb c = shot.pixel(x, y) & 0xFFFFFF;
            blue |= c == 0x0000FF;
            black |= c == 0x000000;
            green |= c == 0x00FF00;
        }
    EXPECT_TRUE(blue);
    EXPECT_TRUE(green);
    EXPECT_FALSE(black);

    // A file that cannot be read leaves the picture shown before.
    box.Picture = dir.file("missing.bmp");
    binder.syncAll();
    EXPECT_EQ(shownAt(bw, QPoint(qRound(5 * k), qRound(5 * k))), QColor(0, 0, 255));
}

// Memory: a board photograph replaced at connect is not kept for the rest of the session.
TEST_F(BinderTest, ALargePictureNoControlShowsIsLetGoAndReadAgainWhenShownAgain) {
    test::TempDir dir;
    const auto write = [](const std::string& path, QRgb colour) {
        QImage img(300, 200, QImage::Format_RGB32);
        img.fill(colour);
        return img.save(QString::fromStdString(path));
    };
    const std::string board = dir.file("Img Board.bmp"), other = dir.file("Img Other.bmp");
    ASSERT_TRUE(write(board, qRgb(0, 0, 255)));
    ASSERT_TRUE(write(other, qRgb(255, 0, 0)));

    Form f(rt, rt, "F");
    f.ClientWidth = f.ClientHeight = 6000;
    PictureBox& box = f.add<PictureBox>("Picture_Board");
    Panel::place(box, 0, 0, 4500, 3000);
    box.Picture = board;
    f.Show();
    QWidget* bw = binder.widget(box);
    EXPECT_EQ(shownAt(bw, QPoint(5, 5)), QColor(0, 0, 255));

    box.Picture = other;
    binder.syncAll();
    EXPECT_EQ(shownAt(bw, QPoint(5, 5)), QColor(255, 0, 0));

    // Kept, it would come back blue.
    ASSERT_TRUE(write(board, qRgb(0, 255, 0)));
    box.Picture = board;
    binder.syncAll();
    EXPECT_EQ(shownAt(bw, QPoint(5, 5)), QColor(0, 255, 0));
}

TEST_F(BinderTest, TabControlShowsOnlyTheControlsOfItsPage) {
    Form f(rt, rt, "FormOptions");
    f.ClientWidth = 6405;
    f.ClientHeight = 4905;
    f.Border = FormBorder::FixedDialog;
    TabControl& tabs = f.add<TabControl>("SSTab_Options");
    Panel::place(tabs, 120, 60, 6135, 4215);
    tabs.tabs = {"Colors", "Sounds", "Input", "Output", "Info"};
    tabs.Tab = 3;
    Label& colors = f.add<Label>("Label2", -1, &tabs);
    colors.tabPage = 0;
    Panel::place(colors, 360, 720, 2295, 255);
    TextBox& text = f.add<TextBox>("Text_Connected", -1, &tabs);
    text.tabPage = 3;
    Panel::place(text, 360, 720, 2295, 315);
    text.Text = "Connected";
    f.Show();

    auto* row = binder.widget(tabs)->findChild<QTabBar*>();
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->count(), 5);
    EXPECT_EQ(row->currentIndex(), 3);
    EXPECT_EQ(row->height(), qRound(520 * binder.pixelsPerTwip()));
    EXPECT_FALSE(binder.widget(colors)->isVisible());
    EXPECT_TRUE(binder.widget(text)->isVisible());
    EXPECT_FALSE(binder.window(f)->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(binder.window(f)->minimumSize(), binder.window(f)->maximumSize());

    row->setCurrentIndex(0);  // as the user's click on the first tab does
    EXPECT_EQ(tabs.Tab, 0);
    EXPECT_TRUE(binder.widget(colors)->isVisible());
    EXPECT_FALSE(binder.widget(text)->isVisible());

    // The user's typing reaches the object without an event.
    row->setCurrentIndex(3);
    auto* edit = widget<QLineEdit>(text);
    edit->end(false);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "!");
    QApplication::sendEvent(edit, &key);
    EXPECT_EQ(text.Text, "Connected!");
}

TEST_F(BinderTest, BorderlessMaximisedWindowFillsTheScreenBeforeLoadReadsItsSize) {
    Form f(rt, rt, "FormShowImage");
    f.Border = FormBorder::None;
    f.Maximized = true;
    f.Show();
    QWidget* win = binder.window(f);
    EXPECT_TRUE(win->windowFlags() & Qt::FramelessWindowHint);
    const QRect avail = win->screen()->availableGeometry();
    EXPECT_NEAR(f.Width, avail.width() / binder.pixelsPerTwip(), 1);
    EXPECT_NEAR(f.Height, avail.height() / binder.pixelsPerTwip(), 1);
}

// A label draws a one-line caption as the painter's own text drawing does, to the pixel:
// a number from glyphs put together one character at a time, a kerned pair with its kerning.
TEST(LabelWidgetTest, OneLineTextLooksAsThePainterDrawsIt) {
    view::LabelWidget label(nullptr);
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPointSizeF(8.25);
    label.setFont(font);
    label.resize(60, 20);
    label.back = Qt::white;
    label.fore = Qt::black;
    label.align = Align::Center;
    for (const char* text : {"1023", "AV", "1023", "AV"}) {
        label.text = QString::fromLatin1(text);
        const QImage shown = label.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QImage drawn(shown.size(), QImage::Format_RGB32);
        drawn.fill(Qt::white);
        QPainter p(&drawn);
        p.setFont(font);
        p.drawText(label.rect().adjusted(1, 0, -1, 0), Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap,
                   label.text);
        p.end();
        EXPECT_EQ(shown, drawn) << text;
    }
}

}  // namespace
}  // namespace qv
