// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/layer_clock.h"

#include "shell/clock_window.h"
#include "shell/window_placement.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QToolTip>

#include <algorithm>

namespace {

Qt::MouseButton QtButton(platform::LayerPointer::Button button)
{
    using Button = platform::LayerPointer::Button;
    switch (button) {
    case Button::Left: return Qt::LeftButton;
    case Button::Right: return Qt::RightButton;
    case Button::Middle: return Qt::MiddleButton;
    case Button::None: break;
    }
    return Qt::NoButton;
}

// The keys the clock window acts on, by their Linux input codes.
int QtKey(int code)
{
    switch (code) {
    case 1: return Qt::Key_Escape;
    case 59: return Qt::Key_F1;
    case 68: return Qt::Key_F10;
    case 127: return Qt::Key_Menu;
    default: return 0;
    }
}

}  // namespace

std::unique_ptr<LayerClock> LayerClock::Make(TfrmClock& clock, platform::LayerShell& shell)
{
    std::unique_ptr<LayerClock> layer(new LayerClock(clock, shell));
    if (!layer->MakeSurface())
        return nullptr;
    // Shown to Qt, so it lays out, repaints and opens its menus, but never mapped.
    clock.setAttribute(Qt::WA_DontShowOnScreen);
    clock.installEventFilter(layer.get());
    if (auto* menu = clock.findChild<QMenu*>(QStringLiteral("PopupMenu1")))
        menu->installEventFilter(layer.get());
    qApp->installEventFilter(layer.get());
    clock.show();
    layer->RenderSoon();
    return layer;
}

LayerClock::LayerClock(TfrmClock& clock, platform::LayerShell& shell) : clock_(clock), shell_(shell)
{
    tipTimer_.setSingleShot(true);
    tipTimer_.setInterval(kTipDelayMs);
    connect(&tipTimer_, &QTimer::timeout, this, &LayerClock::ShowTip);
}

LayerClock::~LayerClock()
{
    clock_.removeEventFilter(this);
}

bool LayerClock::MakeSurface()
{
    std::vector<OutputRect> outputs;
    for (const platform::OutputArea& area : shell_.Outputs())
        outputs.push_back({area.x, area.y, area.width, area.height});
    const ClockSettings& settings = clock_.Settings();
    place_ = PlaceOnOutputs(settings.OffsetX, settings.OffsetY, clock_.width(), clock_.height(), outputs);
    output_ = place_.output >= 0 ? outputs[std::size_t(place_.output)] : OutputRect{};
    platform::LayerSurfaceSpec spec;
    spec.output = place_.output;
    spec.layer = settings.OnTop ? platform::ShellLayer::Top : platform::ShellLayer::Bottom;
    spec.width = clock_.width();
    spec.height = clock_.height();
    spec.left = place_.left;
    spec.top = place_.top;
    spec.keyboard = true;
    spec.name = "zelvaro-clock";
    surface_ = shell_.MakeSurface(spec);
    if (!surface_)
        return false;
    clock_.move(output_.x + place_.left, output_.y + place_.top);
    surface_->OnRedraw([this] { Render(); });
    surface_->OnPointer([this](const platform::LayerPointer& event) { Pointer(event); });
    surface_->OnKey([this](const platform::LayerKey& event) { Key(event); });
    surface_->OnClosed([this] {
        // The output went: the clock comes back on the output its place is on
        // now; without a connection, as a window.
        QTimer::singleShot(0, this, [this] {
            surface_.reset();
            dragging_ = false;
            grabbed_ = nullptr;
            buttons_ = {};
            if (MakeSurface()) {
                RenderSoon();
                return;
            }
            clock_.hide();
            clock_.setAttribute(Qt::WA_DontShowOnScreen, false);
            clock_.show();
        });
    });
    return true;
}

bool LayerClock::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) && watched != &clock_ &&
        watched->isWidgetType()) {
        auto* window = static_cast<QWidget*>(watched);
        if (window->isWindow() && window->windowType() != Qt::ToolTip)
            OtherWindow(window, event->type() == QEvent::Show);
    }
    if (watched == &clock_) {
        switch (event->type()) {
        case QEvent::UpdateRequest:
        case QEvent::UpdateLater: RenderSoon(); break;
        case QEvent::Show:
            // "OnTop" switched shows the window anew.
            ApplyLayer();
            RenderSoon();
            break;
        default: break;
        }
    } else if (event->type() == QEvent::Show && watched == clock_.findChild<QMenu*>(QStringLiteral("PopupMenu1"))) {
        KeepClear(static_cast<QWidget*>(watched));
    }
    return QObject::eventFilter(watched, event);
}

void LayerClock::ApplyLayer()
{
    if (surface_)
        surface_->SetLayer(clock_.Settings().OnTop ? platform::ShellLayer::Top : platform::ShellLayer::Bottom);
}

void LayerClock::RenderSoon()
{
    if (renderQueued_)
        return;
    renderQueued_ = true;
    QMetaObject::invokeMethod(this, &LayerClock::Render, Qt::QueuedConnection);
}

void LayerClock::Render()
{
    renderQueued_ = false;
    platform::PixelFrame frame;
    if (!surface_ || !surface_->BeginFrame(frame))
        return;  // asked again when the surface can take a frame
    QImage image(frame.pixels, frame.width, frame.height, frame.stride, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(frame.scale);
    image.fill(Qt::transparent);
    // The window's own painting, at the output's scale.
    clock_.render(&image);
    surface_->EndFrame();
}

QPoint LayerClock::Global(QPointF at) const
{
    return clock_.pos() + at.toPoint();
}

void LayerClock::Pointer(const platform::LayerPointer& event)
{
    using Kind = platform::LayerPointer::Kind;
    const QPointF at(event.x, event.y);
    pointerAt_ = at;
    switch (event.kind) {
    case Kind::Moved:
        relativeSeen_ = true;
        if (dragging_) {
            movedSincePress_ += QPointF(event.dx, event.dy);
            MoveTo(pressPlace_ + movedSincePress_);
        }
        break;
    case Kind::Enter:
    case Kind::Motion:
        if (dragging_) {
            if (!relativeSeen_)
                DragTo(at);
        } else if (grabbed_)
            SendMouse(grabbed_, QEvent::MouseMove, at, Qt::NoButton);
        else
            Hover(clock_.childAt(at.toPoint()), at);
        break;
    case Kind::Leave: Hover(nullptr, at); break;
    case Kind::Press: Press(at, QtButton(event.button)); break;
    case Kind::Release: Release(at, QtButton(event.button)); break;
    }
}

void LayerClock::Hover(QWidget* part, QPointF at)
{
    if (part != hovered_) {
        QToolTip::hideText();
        if (hovered_) {
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(hovered_, &leave);
        }
        hovered_ = part;
        if (part) {
            const QPointF local = part->mapFrom(&clock_, at);
            QEnterEvent enter(local, at, Global(at));
            QApplication::sendEvent(part, &enter);
        }
    }
    // Only while the pointer moves on the clock: at rest nothing is timed.
    if (part)
        tipTimer_.start();
    else
        tipTimer_.stop();
}

void LayerClock::ShowTip()
{
    if (!hovered_ || grabbed_ || dragging_)
        return;
    const QString tip = hovered_->toolTip();
    if (tip.isEmpty())
        return;
    // Below the surface: a tooltip under it would be hidden. Qt puts a tip
    // 16 pixels below the point it is given, and above it where that does not fit.
    const QPoint below(Global(pointerAt_).x(), clock_.y() + clock_.height() - 14);
    QToolTip::showText(below, tip, hovered_);
}

void LayerClock::SendMouse(QWidget* part, int type, QPointF at, Qt::MouseButton button)
{
    const QPointF local = part->mapFrom(&clock_, at);
    QMouseEvent event(QEvent::Type(type), local, at, Global(at), button, buttons_, QApplication::keyboardModifiers());
    // Through the application, so a part that ignores the press passes it to its parent.
    QApplication::sendEvent(part, &event);
}

void LayerClock::Press(QPointF at, Qt::MouseButton button)
{
    tipTimer_.stop();
    QToolTip::hideText();
    if (button == Qt::NoButton || dragging_)
        return;
    QWidget* part = clock_.childAt(at.toPoint());
    QWidget* panel = clock_.findChild<QWidget*>(QStringLiteral("Panel1"));
    if (!grabbed_ && button == Qt::LeftButton && (!part || part == panel)) {
        // The panel around the face moves the clock, as it moves the window.
        dragging_ = true;
        dragFrom_ = at;
        pressPlace_ = QPointF(place_.left, place_.top);
        movedSincePress_ = QPointF();
        if (panel)
            QMetaObject::invokeMethod(panel, "moveStarted");
        return;
    }
    if (!grabbed_)
        grabbed_ = part ? part : &clock_;
    buttons_ |= button;
    SendMouse(grabbed_, QEvent::MouseButtonPress, at, button);
}

void LayerClock::Release(QPointF at, Qt::MouseButton button)
{
    if (dragging_) {
        if (button == Qt::LeftButton)
            dragging_ = false;
        return;
    }
    if (!grabbed_ || !(buttons_ & button))
        return;
    buttons_ &= ~button;
    QPointer<QWidget> part = grabbed_;
    if (!buttons_)
        grabbed_ = nullptr;
    // The release may open a dialog that runs its own loop: nothing after it uses the grab.
    SendMouse(part, QEvent::MouseButtonRelease, at, button);
}

void LayerClock::DragTo(QPointF at)
{
    // The pointer on the surface where it is now: the grab point follows it.
    MoveTo(QPointF(place_.left, place_.top) + at - dragFrom_);
}

void LayerClock::MoveTo(QPointF moved)
{
    if (!surface_)
        return;
    const WindowPlace place = ClampIntoScreen(qRound(moved.x()), qRound(moved.y()), clock_.width(), clock_.height(),
                                              output_.width, output_.height);
    if (place.left == place_.left && place.top == place_.top)
        return;
    place_.left = place.left;
    place_.top = place.top;
    surface_->SetMargins(place.left, place.top);
    clock_.move(output_.x + place.left, output_.y + place.top);
}

void LayerClock::Key(const platform::LayerKey& event)
{
    const int key = QtKey(event.code);
    if (!key)
        return;
    QKeyEvent qtEvent(event.pressed ? QEvent::KeyPress : QEvent::KeyRelease, key,
                      event.shift ? Qt::ShiftModifier : Qt::NoModifier);
    QApplication::sendEvent(&clock_, &qtEvent);
}

void LayerClock::OtherWindow(QWidget* window, bool shown)
{
    if (!surface_)
        return;
    if (shown) {
        surface_->SetKeyboard(false);
        return;
    }
    const QWidgetList windows = QApplication::topLevelWidgets();
    const bool othersLeft = std::any_of(windows.begin(), windows.end(), [&](const QWidget* w) {
        return w != window && w != &clock_ && w->isVisible() && w->windowType() != Qt::ToolTip;
    });
    if (!othersLeft)
        surface_->SetKeyboard(true);
}

void LayerClock::KeepClear(QWidget* popup) const
{
    const QRect clock = clock_.geometry();
    QRect menu = popup->geometry();
    if (!menu.intersects(clock))
        return;
    const QScreen* screen = popup->screen();
    const int bottom = screen ? screen->geometry().bottom() : INT_MAX;
    if (clock.bottom() + 1 + menu.height() - 1 <= bottom)
        menu.moveTop(clock.bottom() + 1);
    else
        menu.moveBottom(clock.top() - 1);
    popup->move(menu.topLeft());
}
