// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Photo CD reader as a picture control: reads through the engine and
// sizes itself to the picture. Read errors after the file is open raise
// ZelvaroError to the caller (the application's error handler shows them).

#include "image/formats/photo_cd/photo_cd.h"

#include <QImage>
#include <QWidget>

class PcdView : public QWidget {
    Q_OBJECT
public:
    explicit PcdView(QWidget* parent = nullptr);

    // Reads the file; the empty-name message is shown. False when the error flag is set.
    bool SetPictureName(const QString& name);
    void SetPictureSize(PcdSize size);
    void SetCutOff(bool cutOff);

    TPcd& Engine() { return engine_; }
    const QImage& Shown() const { return shown_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Refresh();

    TPcd engine_;
    QImage shown_;
};
