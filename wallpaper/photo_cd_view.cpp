#include "wallpaper/photo_cd_view.h"

#include "wallpaper/image_info_box.h"
#include "wallpaper/picture_image.h"

#include <QPainter>

TPcdView::TPcdView(QWidget* parent) : QWidget(parent) {}

bool TPcdView::SetPictureName(const QString& name)
{
    // The picture shown follows what the engine holds, even when it raises.
    struct RefreshOnExit {
        TPcdView* view;
        ~RefreshOnExit() { view->Refresh(); }
    } refresh{this};
    const bool ok = engine_.SetPictureName(name.toStdString());
    if (!engine_.Message().empty())
        ImageInfoBox::ShowMessage(engine_.Message());
    return ok;
}

void TPcdView::SetPictureSize(TPcdSize size)
{
    engine_.SetPictureSize(size);
    Refresh();
}

void TPcdView::SetCutOff(bool cutOff)
{
    engine_.SetCutOff(cutOff);
    Refresh();
}

void TPcdView::Refresh()
{
    shown_ = PictureToImage(engine_.Picture());
    // Auto-size: the control takes the picture's size.
    if (!shown_.isNull())
        setFixedSize(shown_.size());
    update();
}

void TPcdView::paintEvent(QPaintEvent*)
{
    if (shown_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, shown_);
}
