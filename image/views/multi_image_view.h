// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The image component's display side: a widget that reads a file through the
// engine, reports a failure in the information box, and shows the picture
// scaled to fit, keeping its proportions (the picker's preview). A picture
// larger than the view is kept only at the view's size.

#include "image/multi_image.h"

#include <QImage>
#include <QWidget>

class MultiImageView : public QWidget {
    Q_OBJECT
public:
    explicit MultiImageView(QWidget* parent = nullptr);

    // Reads the file (the failure box shown) and repaints; true on success.
    // The name is a path as PathText gives it, so any bytes reach the file.
    // The file is read at the view's size on another thread; the window
    // keeps painting meanwhile, and the user's input waits. Escape, the
    // window closed or the program quitting stop the read: false, no box.
    bool SetImageName(const QString& name);
    // Shows another picture (the Photo CD reader's).
    void SetPicture(const DibPicture& picture);

    TPMultiImage& Engine() { return engine_; }
    const QImage& Shown() const { return shown_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Refresh();

    TPMultiImage engine_;
    QImage shown_;
};
