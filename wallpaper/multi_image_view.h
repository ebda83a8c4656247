#pragma once
// The image component's display side: a widget that reads a file through the
// engine, reports a failure in the information box, and shows the picture
// scaled to fit, keeping its proportions (the picker's preview).

#include "wallpaper/multi_image.h"

#include <QImage>
#include <QWidget>

class TPMultiImageView : public QWidget {
    Q_OBJECT
public:
    explicit TPMultiImageView(QWidget* parent = nullptr);

    // Reads the file (the failure box shown) and repaints; true on success.
    bool SetImageName(const QString& name);
    // Shows another picture (the Photo CD reader's).
    void SetPicture(const TPicture& picture);

    TPMultiImage& Engine() { return engine_; }
    const QImage& Shown() const { return shown_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Refresh();

    TPMultiImage engine_;
    QImage shown_;
};
