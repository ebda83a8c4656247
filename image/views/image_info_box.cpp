// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/views/image_info_box.h"

#include "base/translatable.h"
#include "base/ui/app_title.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace ImageInfoBox {

namespace {

Presenter& CurrentPresenter()
{
    static Presenter presenter;
    return presenter;
}

void Present(const QString& caption, const QString& text, bool information)
{
    if (CurrentPresenter()) {
        CurrentPresenter()(caption, text);
        return;
    }
    MakeBox(caption, text, information)->exec();
}

}  // namespace

std::unique_ptr<QMessageBox> MakeBox(const QString& caption, const QString& text, bool information)
{
    auto box = std::make_unique<QMessageBox>(information ? QMessageBox::Information : QMessageBox::NoIcon, caption,
                                             text, QMessageBox::Ok, QApplication::activeWindow());
    box->button(QMessageBox::Ok)->setText(QCoreApplication::translate("ImageInfoBox", "OK"));
    return box;
}

void Show(const std::string& text)
{
    Present(QCoreApplication::translate("ImageInfoBox", kCaption),
            QCoreApplication::translate(kMessagesContext, text.c_str()), true);
}

void ShowMessage(const std::string& text)
{
    Present(QString::fromUtf8(kApplicationTitle), QCoreApplication::translate(kMessagesContext, text.c_str()), false);
}

bool Report(const ImageResult& result)
{
    if (!result.Message.empty())
        Show(result.Message);
    return result.Ok();
}

void SetPresenter(Presenter presenter)
{
    CurrentPresenter() = std::move(presenter);
}

}  // namespace ImageInfoBox
