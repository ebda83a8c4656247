// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The image picker "画像ﾌｧｲﾙの選択": the file lists of FilePicker with a
// preview of the selected picture, 165 × 129, scaled to fit with its
// proportions kept, read by the image component in every format it knows
// (Photo CD included, its border kept).

#include "options/file_picker.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class MultiImageView;

class TfrmOpenBmp : public FilePicker {
    Q_OBJECT
public:
    explicit TfrmOpenBmp(const std::string& mountTable, QWidget* parent = nullptr);

    // Shows the selected file in the preview. Read errors are swallowed (the
    // image component shows its own box); the busy cursor is always put back.
    void ShowPreview();

protected:
    void FileListClick() override;

private:
    // Its controls, found by their object names from outside.
    QLineEdit* edtFileList = nullptr;
    QCheckBox* chkPreView = nullptr;
    QFrame* SPicPanel = nullptr;
    MultiImageView* PMImage = nullptr;
    // Under the preview of a dynamic wallpaper: its pictures and what it follows.
    QLabel* lblDynamic = nullptr;

    void chkPreViewClick();
    void ShowDynamicLine(const std::string& path);
};
