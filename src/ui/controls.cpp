// SPDX-License-Identifier: MIT
#include "ui/controls.h"

#include "ui/twips.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPalette>

namespace kz::ui {

namespace {

// Black or white, whichever stands out more (the crossing point of the contrast ratio).
QPalette withTextColours(QPalette pal, QRgb background)
{
    const bool light = QColor::fromRgb(background).lightnessF() >= 0.5;
    const QColor ink = light ? QColor(Qt::black) : QColor(Qt::white);
    for (const QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(g, QPalette::WindowText, ink);
        pal.setColor(g, QPalette::Text, Qt::black);
    }
    pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor::fromRgb(kGrey));
    pal.setColor(QPalette::Disabled, QPalette::Text, QColor::fromRgb(kGrey));
    pal.setColor(QPalette::Base, Qt::white);
    return pal;
}

} // namespace

void setTextColoursOn(QWidget* w, QRgb background) { w->setPalette(withTextColours(w->palette(), background)); }

// One palette set, not two: each setting resolves and spreads it through the widget's children.
void setBackground(QWidget* w, QRgb colour)
{
    QPalette pal = withTextColours(w->palette(), colour);
    pal.setColor(QPalette::Window, QColor::fromRgb(colour));
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

QLabel* makeLabel(const QString& text, Twips left, Twips top, Twips width, Twips height, QWidget* parent,
                  Qt::Alignment align)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(twipsRect(left, top, width, height));
    label->setAlignment(align);
    return label;
}

namespace {

// A transparent text over a filled sibling (a panel built before it) stands on that
// sibling's colour, not on its parent's.
void takeTextColoursFromBelow(QWidget* w)
{
    const QObjectList& siblings = w->parentWidget()->children();
    for (qsizetype i = siblings.indexOf(w); i-- > 0;) {
        const auto* below = qobject_cast<const QWidget*>(siblings.at(i));
        if (below && below->autoFillBackground() && below->geometry().contains(w->geometry().center())) {
            setTextColoursOn(w, below->palette().color(QPalette::Window).rgb());
            return;
        }
    }
}

} // namespace

QWidget* buildControl(const Control& c, QWidget* parent)
{
    QWidget* w = nullptr;
    const QColor fg = c.foreground ? QColor::fromRgb(c.foreground) : QColor(Qt::black);
    switch (c.kind) {
    case Kind::Label:
    case Kind::Box: {
        auto* label = new QLabel(QString::fromUtf16(c.text), parent);
        label->setAlignment(c.align);
        // Without a colour of its own the text takes the one fixed for what it stands on
        // (a panel, or its parent's background), or the desktop's on the window's own.
        if (c.foreground) {
            QPalette pal = label->palette();
            pal.setColor(QPalette::WindowText, fg);
            label->setPalette(pal);
        }
        if (c.kind == Kind::Box) {
            label->setFrameShape(QFrame::Box);
            label->setLineWidth(c.lineWidthPx);
        }
        w = label;
        break;
    }
    case Kind::Frame: {
        auto* frame = new QFrame(parent);
        frame->setFrameShape(QFrame::Box);
        frame->setLineWidth(c.lineWidthPx);
        QPalette pal = frame->palette();
        pal.setColor(QPalette::WindowText, fg);
        frame->setPalette(pal);
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
        w = frame;
        break;
    }
    case Kind::Panel:
        w = new QWidget(parent);
        break;
    case Kind::Line: {
        w = new QWidget(parent);
        setBackground(w, c.foreground ? c.foreground : rgb(0, 0, 0));
        QRect r = twipsRect(c.left, c.top, c.width, c.height);
        if (c.height == 0)
            r.setHeight(c.lineWidthPx);
        if (c.width == 0)
            r.setWidth(c.lineWidthPx);
        w->setGeometry(r);
        return w;
    }
    }
    w->setGeometry(twipsRect(c.left, c.top, c.width, c.height));
    if (c.background)
        setBackground(w, c.background);
    else if (!c.foreground && (c.kind == Kind::Label || c.kind == Kind::Box))
        takeTextColoursFromBelow(w);
    if (c.pointSize > 0 || c.bold) {
        QFont f = w->font();
        if (c.pointSize > 0)
            f.setPointSizeF(c.pointSize);
        f.setBold(c.bold);
        w->setFont(f);
    }
    return w;
}

void buildControls(std::span<const Control> table, QWidget* parent)
{
    for (const Control& c : table)
        buildControl(c, parent);
}

QString lines(std::initializer_list<const char16_t*> parts)
{
    QString out;
    for (const char16_t* p : parts) {
        if (!out.isEmpty())
            out += QChar(u'\n');
        out += QString::fromUtf16(p);
    }
    return out;
}

namespace {

class SelectOnHover : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Null while the label is being destroyed, which still sends it events.
        auto* label = qobject_cast<QLabel*>(watched);
        if (!label)
            return false;
        constexpr auto selectable = Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard;
        if (event->type() == QEvent::Enter)
            label->setTextInteractionFlags(selectable);
        // A press with no hover before it (a tap; a pointer that Windows moved without telling)
        // selects as well: the focus a click gives was decided before this filter saw it.
        else if (event->type() == QEvent::MouseButtonPress && !(label->textInteractionFlags() & Qt::TextSelectableByMouse)) {
            label->setTextInteractionFlags(selectable);
            label->setFocus(Qt::MouseFocusReason);
        }
        else if ((event->type() == QEvent::Leave || event->type() == QEvent::FocusOut)
                 && !label->hasSelectedText() && !label->underMouse())
            label->setTextInteractionFlags(Qt::NoTextInteraction);
        return false;
    }
};

} // namespace

void makeSelectable(QLabel* label)
{
    label->installEventFilter(new SelectOnHover(label));
}

} // namespace kz::ui
