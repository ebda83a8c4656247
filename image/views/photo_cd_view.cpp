// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/views/photo_cd_view.h"

#include "image/views/image_info_box.h"
#include "image/views/picture_image.h"

#include <QPainter>

PcdView::PcdView(QWidget* parent) : QWidget(parent)
{}

bool PcdView::SetPictureName(const QString& name)
{
    // The picture shown follows what the engine holds, even when it raises.
    struct RefreshOnExit {
        PcdView* view;
        ~RefreshOnExit() { view->Refresh(); }
    } refresh{this};
    const bool ok = engine_.SetPictureName(name.toStdString());
    if (!engine_.Message().empty())
        ImageInfoBox::ShowMessage(engine_.Message());
    return ok;
}

void PcdView::SetPictureSize(PcdSize size)
{
    engine_.SetPictureSize(size);
    Refresh();
}

void PcdView::SetCutOff(bool cutOff)
{
    engine_.SetCutOff(cutOff);
    Refresh();
}

void PcdView::Refresh()
{
    shown_ = PictureToImage(engine_.Picture());
    // Auto-size: the control takes the picture's size.
    if (!shown_.isNull())
        setFixedSize(shown_.size());
    update();
}

void PcdView::paintEvent(QPaintEvent*)
{
    if (shown_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, shown_);
}
