// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The clock window shown on a layer surface of the compositor (above every
// window, or below them with "OnTop" off) instead of as a window of its own.
// The window stays the clock: it is laid out and painted off screen, its
// picture is painted into the surface whenever Qt would repaint it, and the
// surface's pointer and keys reach its parts as Qt's own events would. A
// press on the panel around the face moves the surface; the window follows,
// so its place is what is saved and its menus open beside the surface.

#include "platform/layer_shell.h"
#include "shell/layer_clock_place.h"

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QTimer>

#include <memory>

class QWidget;
class TfrmClock;

class LayerClock : public QObject {
    Q_OBJECT
public:
    // The clock on a surface of `shell`, or nullptr when none could be made
    // (then the window is shown as a window, as before).
    static std::unique_ptr<LayerClock> Make(TfrmClock& clock, platform::LayerShell& shell);
    ~LayerClock() override;

    // How long the pointer rests on a part before its tooltip shows.
    static constexpr int kTipDelayMs = 700;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    LayerClock(TfrmClock& clock, platform::LayerShell& shell);
    bool MakeSurface();
    void RenderSoon();
    void Render();
    void ApplyLayer();
    void Pointer(const platform::LayerPointer& event);
    void Key(const platform::LayerKey& event);
    void Press(QPointF at, Qt::MouseButton button);
    void Release(QPointF at, Qt::MouseButton button);
    void DragTo(QPointF at);
    void MoveTo(QPointF place);
    void Hover(QWidget* part, QPointF at);
    void SendMouse(QWidget* part, int type, QPointF at, Qt::MouseButton button);
    void ShowTip();
    QPoint Global(QPointF at) const;
    // The command menu opens where the surface does not cover it.
    void KeepClear(QWidget* popup) const;
    // A menu or dialog of the program's shown: the surface lets the keyboard
    // go to it (the compositor would keep the keys on the clock), and takes
    // clicks for the keyboard again once none is left.
    void OtherWindow(QWidget* window, bool shown);

    TfrmClock& clock_;
    platform::LayerShell& shell_;
    std::unique_ptr<platform::LayerSurface> surface_;
    OutputRect output_;
    LayerClockPlace place_;
    bool renderQueued_ = false;
    QPointer<QWidget> grabbed_;  // the part a button was pressed on, until all are released
    QPointer<QWidget> hovered_;  // the part under the pointer
    Qt::MouseButtons buttons_;
    bool dragging_ = false;
    QPointF dragFrom_;  // where on the surface the drag took it
    // Where the compositor tells the pointer's own movement: the place at the
    // press and the pointer's way since (then the surface's coordinates are not needed).
    bool relativeSeen_ = false;
    QPointF pressPlace_;
    QPointF movedSincePress_;
    QPointF pointerAt_;
    QTimer tipTimer_;
};
