// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/multi_image_view.h"

#include "image/image_info_box.h"
#include "image/picture_image.h"

#include <QPainter>

MultiImageView::MultiImageView(QWidget* parent) : QWidget(parent)
{
    engine_.SetDisplayBitsPerPixel(ScreenBitsPerPixel());
}

bool MultiImageView::SetImageName(const QString& name)
{
    const bool ok = ImageInfoBox::Report(engine_.SetImageName(name.toStdString()));
    Refresh();
    return ok;
}

void MultiImageView::SetPicture(const DibPicture& picture)
{
    engine_.SetPicture(picture);
    Refresh();
}

void MultiImageView::Refresh()
{
    shown_ = PictureToImage(engine_.Picture());
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
