// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/views/multi_image_view.h"

#include "base/ui/path_text.h"
#include "image/read_cancel.h"
#include "image/views/image_info_box.h"
#include "image/views/picture_image.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QThread>
#include <QWindow>

#include <atomic>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace {

// While it lives, the user's input to the program is held back and given
// again, in its order, when it ends; Escape, and the window closed or
// hidden, call `stop` (Escape is given again too, for the window to act
// on).
class InputHeld : public QObject {
public:
    InputHeld(QWidget* window, std::function<void()> stop) : window_(window), stop_(std::move(stop))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~InputHeld() override
    {
        QCoreApplication::instance()->removeEventFilter(this);
        for (auto& [receiver, event] : held_) {
            if (receiver)
                QCoreApplication::postEvent(receiver, event.release());
        }
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
                stop_();
            [[fallthrough]];
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            // Taken where it first arrives (the window), so it is given
            // once, to where it was going.
            if (event->type() != QEvent::ShortcutOverride)
                held_.emplace_back(receiver, std::unique_ptr<QEvent>(event->clone()));
            return true;
        case QEvent::Close:
        case QEvent::Hide:
            if (window_ && (receiver == window_ || receiver == window_->windowHandle()))
                stop_();
            return false;
        default: return false;
        }
    }

private:
    QPointer<QWidget> window_;
    std::function<void()> stop_;
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> held_;
};

}  // namespace

MultiImageView::MultiImageView(QWidget* parent) : QWidget(parent)
{
    engine_.SetDisplayBitsPerPixel(ScreenBitsPerPixel());
}

bool MultiImageView::SetImageName(const QString& name)
{
    // Decoded no larger than the view shows it (readers that can decode at a
    // reduced scale do), so a large photo never comes in whole for a preview.
    const QSize room = (QSizeF(size()) * devicePixelRatioF()).toSize();
    engine_.SetScaleHint(room.isEmpty() ? ScaleHint{} : ScaleHint{room.width(), room.height(), false});
    // Read on a thread of its own while this one goes on painting; the
    // user's input waits until the picture is there.
    const std::string path = PathBytes(name);
    ImageResult read;
    // Nothing may leave the reader's thread: a picture too large for the
    // memory left (or a thread the system could not give the decoder) is
    // told as such, and the preview stays empty.
    const ImageResult noMemory{
        ImageStatus::Failed,
        QT_TRANSLATE_NOOP("Messages",
                          "この画像を表示するメモリが足りません。ほかのプログラムを閉じてから選び直してください")};
    std::atomic<bool> stopped{false};
    const auto readFile = [&] {
        const ReadCancelScope scope(&stopped);
        const auto outOfMemory = [&] {
            engine_.SetPicture(DibPicture{});
            read = noMemory;
        };
        try {
            read = engine_.SetImageName(path);
        } catch (const std::bad_alloc&) {
            outOfMemory();
        } catch (const std::system_error&) {
            outOfMemory();
        }
    };
    QEventLoop waiting;
    std::unique_ptr<QThread> reader(QThread::create(readFile));
    connect(reader.get(), &QThread::finished, &waiting, &QEventLoop::quit);
    reader->start();
    // A thread that could not be started never finishes: the file is read
    // here instead.
    if (reader->isRunning() || reader->isFinished()) {
        // The user's input waits until the picture is there, but Escape and
        // closing the window stop the read (the readers stop between a
        // grid's tiles and a JPEG's rows). The program quitting ends this
        // loop too, and stops the read.
        const InputHeld held(window(), [&] {
            stopped = true;
            waiting.quit();
        });
        waiting.exec();
        if (!reader->isFinished())
            stopped = true;
        reader->wait();
    } else {
        readFile();
    }
    // A stopped read shows nothing and tells nothing.
    if (stopped) {
        engine_.SetPicture(DibPicture{});
        Refresh();
        return false;
    }
    Refresh();
    // A picture read but with no memory left to show it is told the same.
    if (read.Ok() && shown_.isNull() && !engine_.Picture().Empty()) {
        engine_.SetPicture(DibPicture{});
        read = noMemory;
    }
    return ImageInfoBox::Report(read);
}

void MultiImageView::SetPicture(const DibPicture& picture)
{
    engine_.SetPicture(picture);
    Refresh();
}

void MultiImageView::Refresh()
{
    shown_ = PictureToImage(engine_.Picture());
    // A picture larger than the view is held only at the size it is shown
    // (at the screen's pixel ratio), and the engine's full-size copy is let
    // go: an 8000 x 8000 photo would otherwise keep hundreds of megabytes
    // while the picker stays open, for a preview of a few thousand pixels.
    const QSize room = (QSizeF(size()) * devicePixelRatioF()).toSize();
    if (!shown_.isNull() && !room.isEmpty() && (shown_.width() > room.width() || shown_.height() > room.height())) {
        shown_ = shown_.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        engine_.SetPicture(DibPicture{});
    }
    update();
}

void MultiImageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (shown_.isNull())
        return;
    QSize size = shown_.size();
    size.scale(this->size(), Qt::KeepAspectRatio);
    const QRect target((width() - size.width()) / 2, (height() - size.height()) / 2, size.width(), size.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, shown_);
}
