// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A text that acts like a button: a left click on it emits clicked().

#include <QLabel>

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
