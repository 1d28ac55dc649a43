#include "platform/qt/binder.h"

#include <QAccessible>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <exception>
#include <functional>
#include <optional>
#include <unordered_map>

#include "platform/controls.h"
#include "platform/qt/binder_widgets.h"
#include "platform/runtime.h"

namespace qv {

namespace view {

// The top-level widget of a form. It forwards what the window manager and the keyboard
// tell the window; the binder decides what that means for the form.
class FormWindow : public QWidget {
public:
    FormWindow() : QWidget(nullptr) {}
    QColor back;
    // A disabled form takes no clicks, keys or close requests but keeps its look: its
    // controls are not greyed, only their own Enabled greys them.
    bool takesInput = true;
    std::function<void()> onActivate;
    std::function<void()> onCloseRequest;
    std::function<void(bool resized)> onGeometry;
    std::function<void(int code)> onKey;

    void detach() {
        onActivate = nullptr;
        onCloseRequest = nullptr;
        onGeometry = nullptr;
        onKey = nullptr;
    }

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::WindowActivate && onActivate) onActivate();
        return QWidget::event(e);
    }
    void closeEvent(QCloseEvent* e) override {
        // The form's owner decides what closing means; the window stays until it says.
        e->ignore();
        if (takesInput && onCloseRequest) onCloseRequest();
    }
    void keyPressEvent(QKeyEvent* e) override {
        // Keys that no control took: character keys as their character code, Esc as 27.
        const QString t = e->text();
        if (t.size() == 1 && t[0].unicode() < 256 && onKey) {
            onKey(t[0].unicode());
            return;
        }
        QWidget::keyPressEvent(e);
    }
    void resizeEvent(QResizeEvent*) override {
        if (onGeometry) onGeometry(true);
    }
    void moveEvent(QMoveEvent*) override {
        if (onGeometry) onGeometry(false);
    }
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), back); }
};

// Holds back the user's input to every window of a disabled form. Disabling the Qt
// window instead would grey each control in it, which the form's own look never does.
class InputGate : public QObject {
protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        switch (e->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
            case QEvent::Wheel:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::ContextMenu:
            case QEvent::HoverEnter:
            case QEvent::HoverMove:
                break;
            default:
                return false;
        }
        if (!o->isWidgetType()) return false;
        const auto* win = dynamic_cast<const FormWindow*>(static_cast<QWidget*>(o)->window());
        return win && !win->takesInput;
    }
};

}  // namespace view

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

bool sameFont(const Font& a, const Font& b) {
    return a.Name == b.Name && a.Size == b.Size && a.Bold == b.Bold && a.Italic == b.Italic;
}

bool samePrinted(const std::vector<PrintedText>& a, const std::vector<PrintedText>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const PrintedText& x, const PrintedText& y) {
        return x.text == y.text && x.color == y.color && x.x == y.x && x.y == y.y && sameFont(x.font, y.font);
    });
}

// Stores `now` in `cache` and says so when it differs (or on the first pass).
template <class T>
bool take(bool first, T& cache, const T& now) {
    if (!first && cache == now) return false;
    cache = now;
    return true;
}

// Labels, images and shapes are drawn on their container's surface, so every other
// control of the same container lies above them whatever the creation order.
bool windowed(ControlKind k) {
    return k != ControlKind::Label && k != ControlKind::Image && k != ControlKind::Shape &&
           k != ControlKind::Timer;
}

bool showsCaption(ControlKind k) {
    return k == ControlKind::Label || k == ControlKind::CommandButton || k == ControlKind::CheckBox ||
           k == ControlKind::OptionButton || k == ControlKind::Frame;
}

bool graphical(const Control& c) {
    switch (c.kind) {
        case ControlKind::CommandButton:
            return static_cast<const CommandButton&>(c).Graphical;
        case ControlKind::CheckBox:
            return static_cast<const CheckBox&>(c).Graphical;
        case ControlKind::OptionButton:
            return static_cast<const OptionButton&>(c).Graphical;
        default:
            return false;
    }
}

bool onShownPage(const Control& c) {
    if (c.tabPage < 0 || !c.container || c.container->kind != ControlKind::TabControl) return true;
    return static_cast<const TabControl*>(c.container)->Tab == c.tabPage;
}

// A scroll bar's Min may exceed its Max; the widget always runs low to high with Min at
// the top (or left), so positions mirror when the range is reversed.
struct ScrollMap {
    int min, max;
    int lo() const { return std::min(min, max); }
    int hi() const { return std::max(min, max); }
    int toWidget(int v) const { return min <= max ? v : min + max - v; }
    int toObject(int q) const { return min <= max ? q : min + max - q; }
};

void setColors(QWidget* w, QPalette::ColorRole backRole, Color back, QPalette::ColorRole foreRole,
               Color fore) {
    QPalette pal = w->palette();
    pal.setColor(backRole, view::toQColor(back));
    pal.setColor(foreRole, view::toQColor(fore));
    w->setPalette(pal);
}

}  // namespace

struct QtBinder::PictureCache {
    std::unordered_map<std::string, QImage> loaded;
    std::unordered_map<std::string, QImage> masked;

    // nullopt: a file that cannot be read (the control keeps what it shows); a null image:
    // no picture.
    std::optional<QImage> load(const std::string& path) {
        if (path.empty()) return QImage();
        if (auto it = loaded.find(path); it != loaded.end()) return it->second;
        const bool design = path.rfind("design:", 0) == 0;
        QImage img;
        if (design) {
            // Small design pictures are bitmaps, the large photograph a PNG.
            img.load(QStringLiteral(":/design/%1.bmp").arg(qs(path.substr(7))));
            if (img.isNull()) img.load(QStringLiteral(":/design/%1.png").arg(qs(path.substr(7))));
        } else {
            img.load(qs(path));
        }
        if (img.isNull()) {
            if (design) return QImage();
            return std::nullopt;
        }
        loaded.emplace(path, img);
        return img;
    }

    // The picture with every pixel of the mask colour see-through.
    QImage withMask(const std::string& path, const QImage& img, Color mask) {
        const std::string key = path + '\n' + std::to_string(mask);
        if (auto it = masked.find(key); it != masked.end()) return it->second;
        QImage out = img.convertToFormat(QImage::Format_ARGB32);
        const QRgb maskRgb = view::toQColor(mask).rgb() & 0xFFFFFFu;
        for (int y = 0; y < out.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
            for (int x = 0; x < out.width(); ++x)
                if ((line[x] & 0xFFFFFFu) == maskRgb) line[x] = 0;
        }
        masked.emplace(key, out);
        return out;
    }
};

struct QtBinder::ControlView {
    explicit ControlView(Control& control) : c(control) {}
    Control& c;
    QWidget* w = nullptr;
    bool graphical = false;
    bool first = true;

    // What the widget shows, as last taken from the object.
    QRect rect;
    bool visible = false, enabled = true;
    Font font;
    std::string accessible;
    std::string caption;
    Color back = 0, fore = 0;
    Align align = Align::Left;
    bool border = false, transparent = false;
    std::string picture;
    QImage image;
    bool useMask = false;
    Color mask = 0;
    int repaints = 0;
    std::vector<PrintedText> printed;
    int value = 0;
    bool stretch = false, solid = false;
    Color fill = 0;
    ScrollMap range{0, 0};
    int small = 0, large = 0;
    std::vector<std::string> items;
    std::string text;
    int listIndex = -1;
    std::vector<std::string> tabs;
    int tab = 0;
    double tabHeight = 0;

    // A thumb drag in progress reports Scroll on each move and Change once at the end.
    int dragStart = 0;
};

struct QtBinder::FormView {
    Form* form = nullptr;
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
    QPointer<view::FormWindow> win;
    std::vector<std::unique_ptr<ControlView>> controls;
    std::unordered_map<const Control*, ControlView*> byControl;

    bool first = true;
    bool placed = false;
    std::string caption, accessible;
    Color back = 0;
    bool enabled = true;

    // Outer size reported to the form: the client size plus a frame allowance. The
    // allowance is what the program declared before the first show (its outer size less
    // the design client size), else none: the layout the program records before the show
    // is then the one the first resize event reports, whatever frame the window manager
    // draws, and later sizes scale from it exactly.
    double frameW = 0, frameH = 0;
    double clientTw = 0, clientTh = 0;
    QSize clientPx;
};

QtBinder::QtBinder(ViewServices& rt)
    : rt_(rt), pictures_(std::make_unique<PictureCache>()), inputGate_(std::make_unique<view::InputGate>()) {
    QCoreApplication::instance()->installEventFilter(inputGate_.get());
    QAccessible::installFactory(view::accessibleInterface);
    if (const QScreen* s = QGuiApplication::primaryScreen()) scale_ = s->logicalDotsPerInch() / 96.0;
    if (scale_ <= 0) scale_ = 1;
}

QtBinder::~QtBinder() {
    for (auto& v : forms_) {
        *v->alive = false;
        if (v->win) {
            v->win->detach();
            delete v->win.data();
        }
    }
}

QtBinder::FormView* QtBinder::find(const Form& f) const {
    for (const auto& v : forms_)
        if (v->form == &f) return v.get();
    return nullptr;
}

QWidget* QtBinder::window(const Form& f) const {
    const FormView* v = find(f);
    return v ? v->win.data() : nullptr;
}

QWidget* QtBinder::widget(const Control& c) const {
    const FormView* v = find(c.form);
    if (!v) return nullptr;
    auto it = v->byControl.find(&c);
    return it == v->byControl.end() ? nullptr : it->second->w;
}

template <class Fn>
void QtBinder::dispatch(const std::shared_ptr<bool>& alive, Fn&& fn) {
    if (syncing_ || !*alive) return;
    const std::shared_ptr<bool> keep = alive;
    try {
        fn();
    } catch (const std::exception& e) {
        fail(e.what());
    }
    syncAll();
}

void QtBinder::fail(const std::string& what) {
    rt_.msgBox("Run-time error:\r" + what, MsgCritical, rt_.env().exeName);
    rt_.quit();
}

void QtBinder::formShown(Form& f) {
    FormView* v = find(f);
    if (!v) {
        auto fresh = std::make_unique<FormView>();
        fresh->form = &f;
        v = fresh.get();
        forms_.push_back(std::move(fresh));
        build(*v);
    }
    const std::shared_ptr<bool> alive = v->alive;
    syncForm(*v);
    if (!v->placed) {
        placeWindow(*v);
        if (f.firstInTabOrder) {
            if (auto it = v->byControl.find(f.firstInTabOrder); it != v->byControl.end() && it->second->w)
                it->second->w->setFocus();
        }
    } else {
        // Shown again, possibly behind another window: it comes to the front.
        v->win->show();
        v->win->raise();
    }
    if (!*alive || !v->win) return;
    v->win->activateWindow();
    geometryChanged(*v, false);
}

void QtBinder::formHidden(Form& f) {
    if (FormView* v = find(f); v && v->win) v->win->hide();
}

void QtBinder::formUnloaded(Form& f) {
    auto it = std::find_if(forms_.begin(), forms_.end(), [&](const auto& v) { return v->form == &f; });
    if (it == forms_.end()) return;
    *(*it)->alive = false;
    QPointer<view::FormWindow> win = (*it)->win;
    forms_.erase(it);
    if (!win) return;
    win->detach();
    win->hide();
    // The widget that raised the event being handled may belong to this window: delete
    // the widgets only once the program is back at its outer event loop.
    rt_.disposeLater([win] { delete win.data(); });
}

void QtBinder::build(FormView& v) {
    Form& f = *v.form;
    auto* win = new view::FormWindow();
    v.win = win;
    win->setObjectName(qs(f.name));
    switch (f.Border) {
        case FormBorder::None:
            win->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
            break;
        case FormBorder::FixedDialog:
            win->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowCloseButtonHint);
            break;
        case FormBorder::Sizable:
            win->setWindowFlags(Qt::Window);
            break;
    }

    std::function<ControlView&(Control&)> ensure = [&](Control& c) -> ControlView& {
        if (auto it = v.byControl.find(&c); it != v.byControl.end()) return *it->second;
        if (c.container) ensure(*c.container);
        auto cv = std::make_unique<ControlView>(c);
        ControlView& ref = *cv;
        v.byControl.emplace(&c, cv.get());
        v.controls.push_back(std::move(cv));
        createWidget(v, ref);
        return ref;
    };
    for (Control* c : f.Controls()) ensure(*c);
    for (auto& cv : v.controls)
        if (cv->w && windowed(cv->c.kind)) cv->w->raise();
    for (auto& cv : v.controls) wireInput(v, *cv);

    FormView* pv = &v;
    const std::shared_ptr<bool> alive = v.alive;
    win->onActivate = [this, alive, pv] {
        // A disabled window cannot become the active one by the user's hand.
        if (*alive && pv->form->Enabled) dispatch(alive, [pv] { pv->form->activate(); });
    };
    win->onCloseRequest = [this, alive, pv] {
        dispatch(alive, [pv] {
            if (pv->form->onCloseRequest) pv->form->onCloseRequest();
        });
    };
    win->onKey = [this, alive, pv](int code) {
        dispatch(alive, [pv, code] { pv->form->Form_KeyPress(code); });
    };
    win->onGeometry = [this, alive, pv](bool resized) {
        if (*alive && pv->placed) geometryChanged(*pv, resized);
    };
}

void QtBinder::createWidget(FormView& v, ControlView& cv) {
    Control& c = cv.c;
    QWidget* parent = v.win;
    if (c.container) {
        ControlView* holder = v.byControl.at(c.container);
        if (holder->w) parent = holder->w;
    }
    cv.graphical = graphical(c);
    using Meaning = view::GraphicButton::Meaning;
    QWidget* w = nullptr;
    switch (c.kind) {
        case ControlKind::Label:
            w = new view::LabelWidget(parent);
            break;
        case ControlKind::CommandButton:
            if (cv.graphical) {
                const bool switches = static_cast<bool>(static_cast<const CommandButton&>(c).isOn);
                w = new view::GraphicButton(parent, switches ? Meaning::Switch : Meaning::Plain);
            } else {
                w = new QPushButton(parent);
            }
            break;
        case ControlKind::CheckBox:
            if (cv.graphical) {
                auto* b = new view::GraphicButton(parent, Meaning::Plain);
                b->setCheckable(true);
                w = b;
            } else {
                w = new QCheckBox(parent);
            }
            break;
        case ControlKind::OptionButton:
            if (cv.graphical) {
                auto* b = new view::GraphicButton(parent, Meaning::Option);
                b->setCheckable(true);
                w = b;
            } else {
                auto* r = new QRadioButton(parent);
                r->setAutoExclusive(false);  // the object keeps its group's selection
                w = r;
            }
            break;
        case ControlKind::Frame:
            w = new view::FrameWidget(parent);
            break;
        case ControlKind::PictureBox:
            w = new view::PictureWidget(parent);
            break;
        case ControlKind::Image:
            w = new view::ImageWidget(parent);
            break;
        case ControlKind::Shape:
            w = new view::ShapeWidget(parent);
            break;
        case ControlKind::ComboBox: {
            auto* combo = new view::ComboWidget(parent);
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            // Typed text stays as typed: completing "Com 1" to "Com 12" would connect
            // to another board.
            combo->setCompleter(nullptr);
            w = combo;
            break;
        }
        case ControlKind::FileListBox:
            w = new QListWidget(parent);
            break;
        case ControlKind::HScrollBar:
            w = new QScrollBar(Qt::Horizontal, parent);
            break;
        case ControlKind::VScrollBar:
            w = new QScrollBar(Qt::Vertical, parent);
            break;
        case ControlKind::TextBox:
            w = new QLineEdit(parent);
            break;
        case ControlKind::TabControl:
            w = new view::TabWidget(parent);
            break;
        case ControlKind::Timer:
            break;
    }
    if (w) w->setObjectName(qs(c.qualifiedName()));
    cv.w = w;
}

void QtBinder::wireInput(FormView& v, ControlView& cv) {
    if (!cv.w) return;
    const std::shared_ptr<bool> alive = v.alive;
    Control* c = &cv.c;
    ControlView* pcv = &cv;
    auto clickThen = [this, alive, c](std::function<void()> what) {
        dispatch(alive, [alive, c, what] {
            c->form.activate();
            if (*alive) what();
        });
    };
    auto plainClick = [clickThen, c] { clickThen([c] { c->click(); }); };

    switch (c->kind) {
        case ControlKind::Label:
        case ControlKind::PictureBox:
        case ControlKind::Image:
            static_cast<view::ClickArea*>(cv.w)->onClick = plainClick;
            break;
        case ControlKind::CommandButton:
            QObject::connect(static_cast<QAbstractButton*>(cv.w), &QAbstractButton::clicked, cv.w,
                             plainClick);
            break;
        case ControlKind::CheckBox: {
            auto* box = static_cast<CheckBox*>(c);
            QObject::connect(
                static_cast<QAbstractButton*>(cv.w), &QAbstractButton::clicked, cv.w,
                [clickThen, box] { clickThen([box] { box->setValue(box->value() == 0 ? 1 : 0); }); });
            break;
        }
        case ControlKind::OptionButton: {
            auto* option = static_cast<OptionButton*>(c);
            auto* b = static_cast<QAbstractButton*>(cv.w);
            QObject::connect(b, &QAbstractButton::clicked, b, [clickThen, option, b] {
                // Qt releases a chosen button that is clicked again; an option stays
                // chosen until another one of its group is.
                const QSignalBlocker block(b);
                b->setChecked(true);
                clickThen([option] { option->select(); });
            });
            break;
        }
        case ControlKind::ComboBox: {
            auto* combo = static_cast<ComboBox*>(c);
            auto* w = static_cast<QComboBox*>(cv.w);
            QObject::connect(w->lineEdit(), &QLineEdit::textEdited, w, [alive, combo, pcv](const QString& s) {
                if (!*alive) return;
                combo->Text = s.toStdString();
                pcv->text = combo->Text;
            });
            auto* widget = static_cast<view::ComboWidget*>(cv.w);
            QObject::connect(w, &QComboBox::activated, w, [clickThen, combo, widget](int i) {
                // Leaving the list with typed text that names an entry is no choice.
                if (widget->leaving) return;
                clickThen([combo, i] {
                    if (i >= 0 && i < combo->ListCount()) combo->Text = combo->items[static_cast<size_t>(i)];
                    combo->click();
                });
            });
            break;
        }
        case ControlKind::FileListBox: {
            auto* list = static_cast<FileListBox*>(c);
            QObject::connect(static_cast<QListWidget*>(cv.w), &QListWidget::currentRowChanged, cv.w,
                             [clickThen, list](int row) {
                                 clickThen([list, row] {
                                     if (row >= -1 && row < list->ListCount()) list->setListIndex(row);
                                 });
                             });
            break;
        }
        case ControlKind::HScrollBar:
        case ControlKind::VScrollBar: {
            auto* bar = static_cast<ScrollBar*>(c);
            auto* w = static_cast<QScrollBar*>(cv.w);
            auto toObject = [bar](int q) {
                const ScrollMap m{bar->Min, bar->Max};
                return std::clamp(m.toObject(q), m.lo(), m.hi());
            };
            QObject::connect(w, &QScrollBar::sliderPressed, w, [alive, bar, pcv] {
                if (*alive) pcv->dragStart = bar->value();
            });
            QObject::connect(w, &QScrollBar::sliderMoved, w, [this, alive, bar, toObject](int q) {
                dispatch(alive, [bar, toObject, q] {
                    bar->initValue(toObject(q));
                    if (bar->onScroll) bar->onScroll();
                });
            });
            QObject::connect(w, &QScrollBar::sliderReleased, w, [clickThen, bar, pcv] {
                clickThen([bar, pcv] {
                    const int final = bar->value();
                    if (final == pcv->dragStart) return;
                    bar->initValue(pcv->dragStart);
                    bar->setValue(final);
                });
            });
            QObject::connect(w, &QScrollBar::valueChanged, w, [clickThen, bar, w, toObject](int q) {
                if (w->isSliderDown()) return;
                clickThen([bar, toObject, q] { bar->setValue(toObject(q)); });
            });
            break;
        }
        case ControlKind::TextBox: {
            auto* box = static_cast<TextBox*>(c);
            QObject::connect(static_cast<QLineEdit*>(cv.w), &QLineEdit::textEdited, cv.w,
                             [alive, box, pcv](const QString& s) {
                                 if (!*alive) return;
                                 box->Text = s.toStdString();
                                 pcv->text = box->Text;
                             });
            break;
        }
        case ControlKind::TabControl: {
            auto* tabs = static_cast<TabControl*>(c);
            QObject::connect(static_cast<view::TabWidget*>(cv.w)->row, &QTabBar::currentChanged, cv.w,
                             [clickThen, tabs](int i) {
                                 clickThen([tabs, i] {
                                     if (i < 0 || i == tabs->Tab) return;
                                     tabs->Tab = i;
                                     tabs->click();
                                 });
                             });
            break;
        }
        case ControlKind::Frame:
        case ControlKind::Shape:
        case ControlKind::Timer:
            break;
    }
}

void QtBinder::placeWindow(FormView& v) {
    Form& f = *v.form;
    view::FormWindow* win = v.win;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    v.placed = true;
    if (f.Maximized) {
        // Set the full size as well: without a window manager nothing maximises.
        win->setGeometry(avail);
        v.clientPx = avail.size();
        v.clientTw = avail.width() * 15 / scale_;
        v.clientTh = avail.height() * 15 / scale_;
        win->showMaximized();
        return;
    }
    const QSize client(qRound(f.ClientWidth * scale_ / 15), qRound(f.ClientHeight * scale_ / 15));
    v.clientPx = client;
    v.clientTw = f.ClientWidth;
    v.clientTh = f.ClientHeight;
    if (f.Width > 0 && f.Height > 0) {
        v.frameW = f.Width - f.ClientWidth;
        v.frameH = f.Height - f.ClientHeight;
    }
    if (f.Border == FormBorder::FixedDialog)
        win->setFixedSize(client);
    else
        win->resize(client);
    win->move(avail.center() - QPoint(client.width() / 2, client.height() / 2));
    win->show();
}

void QtBinder::geometryChanged(FormView& v, bool resized) {
    Form& f = *v.form;
    const QSize size = v.win->size();
    if (size != v.clientPx) {
        v.clientPx = size;
        v.clientTw = size.width() * 15 / scale_;
        v.clientTh = size.height() * 15 / scale_;
    }
    const QRect outer = v.win->frameGeometry();
    f.Left = outer.x() * 15 / scale_;
    f.Top = outer.y() * 15 / scale_;
    f.Width = v.clientTw + v.frameW;
    f.Height = v.clientTh + v.frameH;
    if (resized && f.Border == FormBorder::Sizable) dispatch(v.alive, [&f] { f.Form_Resize(); });
}

void QtBinder::syncAll() {
    if (syncing_) return;
    syncing_ = true;
    for (const auto& v : forms_)
        if (v->win && v->form->visible()) syncForm(*v);
    syncing_ = false;
}

void QtBinder::syncForm(FormView& v) {
    Form& f = *v.form;
    view::FormWindow* win = v.win;
    const bool first = v.first;
    if (take(first, v.caption, f.Caption)) win->setWindowTitle(qs(f.Caption));
    if (take(first, v.accessible, f.Caption.empty() ? f.accessibleName : f.Caption))
        win->setAccessibleName(qs(v.accessible));
    if (take(first, v.back, f.BackColor)) {
        win->back = view::toQColor(f.BackColor);
        win->update();
    }
    if (take(first, v.enabled, f.Enabled)) win->takesInput = f.Enabled;
    for (auto& cv : v.controls) syncControl(v, *cv);
    v.first = false;
}

void QtBinder::syncControl(FormView&, ControlView& cv) {
    QWidget* w = cv.w;
    if (!w) return;
    Control& c = cv.c;
    const bool first = cv.first;
    cv.first = false;
    auto px = [this](double twips) { return qRound(twips * scale_ / 15.0); };

    if (first) {
        cv.font = c.font;
        // Most controls use the font they inherit; setting it again on each of them
        // would resolve and propagate fonts a hundred times over at start-up.
        const QFont font = view::toQFont(c.font);
        if (font != w->font()) w->setFont(font);
    } else if (!sameFont(cv.font, c.font)) {
        cv.font = c.font;
        w->setFont(view::toQFont(c.font));
    }
    QRect r(px(c.Left), px(c.Top), std::max(0, px(c.Width)), std::max(0, px(c.Height)));
    // A drop-down list is as high as its font makes it, whatever height it was given: a
    // larger font (the window grown) gets a taller box instead of text cut at the edges.
    // So the font goes first, and the height follows it back exactly.
    if (c.kind == ControlKind::ComboBox) r.setHeight(w->sizeHint().height());
    if (take(first, cv.rect, r)) w->setGeometry(r);
    if (take(first, cv.enabled, c.Enabled)) w->setEnabled(c.Enabled);
    const std::string& accessible = showsCaption(c.kind) && !c.Caption.empty() ? c.Caption : c.accessibleName;
    if (take(first, cv.accessible, accessible)) w->setAccessibleName(qs(accessible));

    bool repaint = false;
    auto look = [&](auto& cache, const auto& now) {
        if (take(first, cache, now)) repaint = true;
    };
    // Reads the picture when its name changed; a file that cannot be read keeps the
    // picture shown before.
    auto picture = [&](const std::string& path) {
        if (!take(first, cv.picture, path)) return false;
        std::optional<QImage> img = pictures_->load(path);
        if (!img) return false;
        cv.image = *img;
        return true;
    };

    switch (c.kind) {
        case ControlKind::Label: {
            auto& l = static_cast<Label&>(c);
            auto* lw = static_cast<view::LabelWidget*>(w);
            if (take(first, cv.caption, l.Caption)) {
                lw->text = qs(l.Caption);
                repaint = true;
            }
            look(cv.back, l.BackColor);
            look(cv.fore, l.ForeColor);
            look(cv.align, l.Alignment);
            look(cv.border, l.BorderSingle);
            look(cv.transparent, l.Transparent);
            if (repaint) {
                lw->back = view::toQColor(l.BackColor);
                lw->fore = view::toQColor(l.ForeColor);
                lw->align = l.Alignment;
                lw->border = l.BorderSingle;
                lw->transparent = l.Transparent;
                // An opaque label paints every pixel itself: Qt then need not repaint
                // what lies beneath it each time its value changes.
                lw->setAttribute(Qt::WA_OpaquePaintEvent, !l.Transparent);
            }
            break;
        }
        case ControlKind::CommandButton:
        case ControlKind::CheckBox:
        case ControlKind::OptionButton: {
            auto* b = static_cast<QAbstractButton*>(w);
            if (take(first, cv.caption, c.Caption)) b->setText(qs(c.Caption));
            int value = 0;
            if (c.kind == ControlKind::CheckBox) value = static_cast<CheckBox&>(c).value();
            if (c.kind == ControlKind::OptionButton) value = static_cast<OptionButton&>(c).value() ? 1 : 0;
            if (take(first, cv.value, value)) {
                const QSignalBlocker block(b);
                if (auto* box = qobject_cast<QCheckBox*>(b))
                    box->setCheckState(value == 0   ? Qt::Unchecked
                                       : value == 1 ? Qt::Checked
                                                    : Qt::PartiallyChecked);
                else if (b->isCheckable())
                    b->setChecked(value != 0);
            }
            if (!cv.graphical) {
                if (c.kind != ControlKind::CommandButton &&
                    (take(first, cv.back, c.BackColor) | take(first, cv.fore, c.ForeColor))) {
                    setColors(b, QPalette::Window, c.BackColor, QPalette::WindowText, c.ForeColor);
                    b->setAutoFillBackground(true);
                }
                break;
            }
            auto* g = static_cast<view::GraphicButton*>(w);
            std::string path;
            bool useMask = false;
            Color mask = 0;
            if (c.kind == ControlKind::CommandButton) {
                auto& cb = static_cast<CommandButton&>(c);
                path = cb.Picture;
                useMask = cb.UseMaskColor;
                mask = cb.MaskColor;
                if (cb.isOn) g->setOn(cb.isOn());
            } else if (c.kind == ControlKind::OptionButton) {
                path = static_cast<OptionButton&>(c).Picture;
            }
            bool newPicture = picture(path);
            newPicture |= take(first, cv.useMask, useMask);
            newPicture |= take(first, cv.mask, mask);
            if (newPicture) {
                g->picture = useMask && !cv.image.isNull() ? pictures_->withMask(cv.picture, cv.image, mask)
                                                           : cv.image;
                repaint = true;
            }
            look(cv.back, c.BackColor);
            look(cv.fore, c.ForeColor);
            if (repaint) {
                g->back = view::toQColor(c.BackColor);
                g->fore = view::toQColor(c.ForeColor);
                g->scale = scale_;
            }
            break;
        }
        case ControlKind::Frame: {
            auto& fr = static_cast<Frame&>(c);
            auto* fw = static_cast<view::FrameWidget*>(w);
            look(cv.caption, fr.Caption);
            look(cv.back, fr.BackColor);
            look(cv.fore, fr.ForeColor);
            look(cv.border, fr.BorderSingle);
            if (repaint) {
                fw->caption = qs(fr.Caption);
                fw->back = view::toQColor(fr.BackColor);
                fw->fore = view::toQColor(fr.ForeColor);
                fw->border = fr.BorderSingle;
            }
            break;
        }
        case ControlKind::PictureBox: {
            auto& pb = static_cast<PictureBox&>(c);
            auto* pw = static_cast<view::PictureWidget*>(w);
            if (picture(pb.Picture)) {
                pw->picture = cv.image;
                repaint = true;
            }
            look(cv.back, pb.BackColor);
            look(cv.border, pb.BorderSingle);
            look(cv.repaints, pb.repaints);
            if (first || !samePrinted(cv.printed, pb.printed)) {
                cv.printed = pb.printed;
                pw->printed.clear();
                for (const PrintedText& t : pb.printed)
                    pw->printed.push_back({qs(t.text), view::toQColor(t.color), t.x, t.y, view::toQFont(t.font)});
                repaint = true;
            }
            if (repaint) {
                pw->back = view::toQColor(pb.BackColor);
                pw->border = pb.BorderSingle;
                pw->scale = scale_;
            }
            break;
        }
        case ControlKind::Image: {
            auto& im = static_cast<Image&>(c);
            auto* iw = static_cast<view::ImageWidget*>(w);
            if (picture(im.Picture)) {
                iw->picture = cv.image;
                repaint = true;
            }
            look(cv.stretch, im.Stretch);
            if (repaint) {
                iw->stretch = im.Stretch;
                iw->scale = scale_;
                // A stretched picture without transparency covers the whole control, so
                // what lies beneath need not be painted first.
                iw->setCoversAll(im.Stretch && !iw->picture.isNull() && !iw->picture.hasAlphaChannel());
            }
            break;
        }
        case ControlKind::Shape: {
            auto& sh = static_cast<Shape&>(c);
            auto* sw = static_cast<view::ShapeWidget*>(w);
            look(cv.fill, sh.FillColor);
            look(cv.solid, sh.FillSolid);
            look(cv.border, sh.BorderVisible);
            look(cv.fore, sh.ForeColor);
            if (repaint) {
                sw->fill = view::toQColor(sh.FillColor);
                sw->solid = sh.FillSolid;
                sw->border = sh.BorderVisible;
                sw->line = view::toQColor(sh.ForeColor);
            }
            break;
        }
        case ControlKind::ComboBox: {
            auto& cb = static_cast<ComboBox&>(c);
            auto* combo = static_cast<QComboBox*>(w);
            const QSignalBlocker block(combo);
            const bool newItems = take(first, cv.items, cb.items);
            if (newItems) {
                combo->clear();
                for (const std::string& item : cb.items) combo->addItem(qs(item));
                combo->setCurrentIndex(-1);
            }
            if (take(first, cv.text, cb.Text) || newItems) combo->setEditText(qs(cb.Text));
            if (take(first, cv.back, cb.BackColor) | take(first, cv.fore, cb.ForeColor))
                setColors(combo, QPalette::Base, cb.BackColor, QPalette::Text, cb.ForeColor);
            break;
        }
        case ControlKind::FileListBox: {
            auto& fl = static_cast<FileListBox&>(c);
            auto* list = static_cast<QListWidget*>(w);
            const QSignalBlocker block(list);
            const bool newItems = take(first, cv.items, fl.items());
            if (newItems) {
                list->clear();
                for (const std::string& item : fl.items()) list->addItem(qs(item));
            }
            if (take(first, cv.listIndex, fl.listIndex()) || newItems) list->setCurrentRow(fl.listIndex());
            if (take(first, cv.back, fl.BackColor) | take(first, cv.fore, fl.ForeColor))
                setColors(list, QPalette::Base, fl.BackColor, QPalette::Text, fl.ForeColor);
            break;
        }
        case ControlKind::HScrollBar:
        case ControlKind::VScrollBar: {
            auto& sb = static_cast<ScrollBar&>(c);
            auto* bar = static_cast<QScrollBar*>(w);
            const QSignalBlocker block(bar);
            const ScrollMap m{sb.Min, sb.Max};
            const bool newRange = first || cv.range.min != m.min || cv.range.max != m.max;
            if (newRange) {
                cv.range = m;
                bar->setRange(m.lo(), m.hi());
            }
            if (take(first, cv.small, sb.SmallChange)) bar->setSingleStep(sb.SmallChange);
            if (take(first, cv.large, sb.LargeChange)) bar->setPageStep(sb.LargeChange);
            if (take(first, cv.value, sb.value()) || newRange) bar->setValue(m.toWidget(sb.value()));
            break;
        }
        case ControlKind::TextBox: {
            auto& tb = static_cast<TextBox&>(c);
            auto* edit = static_cast<QLineEdit*>(w);
            if (take(first, cv.text, tb.Text)) {
                const QSignalBlocker block(edit);
                edit->setText(qs(tb.Text));
            }
            if (take(first, cv.back, tb.BackColor) | take(first, cv.fore, tb.ForeColor))
                setColors(edit, QPalette::Base, tb.BackColor, QPalette::Text, tb.ForeColor);
            break;
        }
        case ControlKind::TabControl: {
            auto& tc = static_cast<TabControl&>(c);
            auto* tw = static_cast<view::TabWidget*>(w);
            const QSignalBlocker block(tw->row);
            if (take(first, cv.tabs, tc.tabs)) {
                while (tw->row->count() > 0) tw->row->removeTab(0);
                for (const std::string& t : tc.tabs) tw->row->addTab(qs(t));
            }
            if (take(first, cv.tabHeight, tc.TabHeight)) {
                tw->row->rowHeight = px(tc.TabHeight);
                tw->row->setGeometry(0, 0, tw->width(), tw->row->rowHeight);
            }
            if (take(first, cv.tab, tc.Tab) || tw->row->currentIndex() != tc.Tab)
                tw->row->setCurrentIndex(tc.Tab);
            look(cv.back, tc.BackColor);
            if (repaint) tw->back = view::toQColor(tc.BackColor);
            break;
        }
        case ControlKind::Timer:
            break;
    }
    if (repaint) w->update();

    // Last, so a control on a tab page follows the page that the sync above just showed.
    const bool visible = c.Visible && onShownPage(c);
    if (take(first, cv.visible, visible)) w->setVisible(visible);
}

}  // namespace qv
