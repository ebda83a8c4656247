#include "wallpaper/multi_image_view.h"

#include "wallpaper/image_info_box.h"
#include "wallpaper/picture_image.h"

#include <QPainter>

TPMultiImageView::TPMultiImageView(QWidget* parent) : QWidget(parent)
{
    engine_.SetDisplayBitsPerPixel(ScreenBitsPerPixel());
}

bool TPMultiImageView::SetImageName(const QString& name)
{
    const bool ok = ImageInfoBox::Report(engine_.SetImageName(name.toStdString()));
    Refresh();
    return ok;
}

void TPMultiImageView::SetPicture(const TPicture& picture)
{
    engine_.SetPicture(picture);
    Refresh();
}

void TPMultiImageView::Refresh()
{
    shown_ = PictureToImage(engine_.Picture());
    update();
}

void TPMultiImageView::paintEvent(QPaintEvent*)
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
