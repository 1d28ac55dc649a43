#include "platform/qt/widget_accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "platform/qt/binder_widgets.h"

namespace qv::view {

namespace {

// An option button or a switch as assistive technology reads it: its role, whether it is
// checked, and a press that clicks it as the mouse does.
class ButtonAccessible : public QAccessibleWidget {
public:
    ButtonAccessible(GraphicButton* b, QAccessible::Role role) : QAccessibleWidget(b, role) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) return button()->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        const GraphicButton* b = button();
        s.checkable = true;
        s.checked = b->meaning == GraphicButton::Meaning::Switch ? b->on() : b->isChecked();
        s.pressed = b->isDown();
        return s;
    }
    QStringList actionNames() const override {
        QStringList names;
        if (widget()->isEnabled()) {
            names << pressAction();
            if (button()->meaning == GraphicButton::Meaning::Switch) names << toggleAction();
        }
        return names + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (!widget()->isEnabled()) return;
        if (name == pressAction() || name == toggleAction())
            button()->click();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    GraphicButton* button() const { return static_cast<GraphicButton*>(widget()); }
};

// A shape as assistive technology reads it: the area it paints, not its widget, which
// reaches further (see the shape's binding).
class ShapeAccessible : public QAccessibleWidget {
public:
    explicit ShapeAccessible(ShapeWidget* s) : QAccessibleWidget(s, QAccessible::Client) {}

    QRect rect() const override {
        const auto* s = static_cast<const ShapeWidget*>(widget());
        if (!s->isVisible()) return {};
        return {s->mapToGlobal(s->area.topLeft()), s->area.size()};
    }
};

}  // namespace

QAccessibleInterface* accessibleInterface(const QString& className, QObject* object) {
    // Asked once for each class of the object's ancestry, most derived first; only the
    // widgets' own classes are answered here.
    if (className == QLatin1String(LabelWidget::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::StaticText);
    if (className == QLatin1String(ShapeWidget::staticMetaObject.className()))
        return new ShapeAccessible(static_cast<ShapeWidget*>(object));
    if (className == QLatin1String(GraphicButton::staticMetaObject.className())) {
        auto* b = static_cast<GraphicButton*>(object);
        switch (b->meaning) {
            case GraphicButton::Meaning::Option:
                return new ButtonAccessible(b, QAccessible::RadioButton);
            case GraphicButton::Meaning::Switch:
                return new ButtonAccessible(b, QAccessible::Button);
            case GraphicButton::Meaning::Plain:
                break;
        }
    }
    return nullptr;
}

}  // namespace qv::view
