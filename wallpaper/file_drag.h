// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TFileDrag: a non-visual component that lets its owner window take files
// dropped from the file manager. Drops on the owner's child controls reach it
// too. The lists hold the last drop, index for index.

#include <QObject>
#include <QStringList>

#include <functional>

class QWidget;

class TFileDrag : public QObject {
    Q_OBJECT
public:
    // An owner that is not a widget leaves the component inert (EnableDrop
    // stays false).
    explicit TFileDrag(QObject* owner);
    ~TFileDrag() override;

    bool EnableDrop() const { return enableDrop_; }
    void SetEnableDrop(bool value);

    // Raised once per drop, after the lists are filled, when the drop event
    // has returned.
    std::function<void(TFileDrag* sender)> OnDrop;

    QStringList NameWithPath;  // full paths, in the order the drop lists them
    QStringList NameOnly;      // the text after the last "/"
    QStringList Extension;     // the text after the first "." of the name part
    int FileCount = 0;

    // Fills the lists from dropped paths and raises OnDrop.
    void DropFiles(const QStringList& paths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_ = nullptr;
    bool enableDrop_ = false;
};
