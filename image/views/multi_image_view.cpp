// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/views/multi_image_view.h"

#include "base/ui/path_text.h"
#include "image/views/image_info_box.h"
#include "image/views/picture_image.h"

#include <QEventLoop>
#include <QPainter>
#include <QThread>

#include <memory>
#include <new>
#include <string>
#include <system_error>

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
    const auto readFile = [&] {
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
    if (reader->isRunning() || reader->isFinished())
        waiting.exec(QEventLoop::ExcludeUserInputEvents);
    else
        readFile();
    reader->wait();
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
