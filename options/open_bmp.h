// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The image picker "画像ﾌｧｲﾙの選択": the file lists of FilePicker with a
// preview of the selected picture, 165 × 129, scaled to fit with its
// proportions kept. Photo CD files are read by the hidden Photo CD reader.

#include "image/formats/photo_cd/photo_cd.h"
#include "options/file_picker.h"

class QCheckBox;
class QFrame;
class QLineEdit;
class MultiImageView;

class TfrmOpenBmp : public FilePicker {
    Q_OBJECT
public:
    explicit TfrmOpenBmp(const std::string& mountTable, QWidget* parent = nullptr);

    TPcd Pcd;

    // Shows the selected file in the preview. Read errors are swallowed (the
    // image component shows its own box); the busy cursor is always put back.
    void ShowPreview();

protected:
    void FileListClick() override;
    // A typed name is taken when the file is a picture by its name or, without
    // a picture's extension, by its bytes; anything else is refused, saying so.
    void CheckTypedFile(const std::string& path) override;

private:
    // Its controls, found by their object names from outside.
    QLineEdit* edtFileList = nullptr;
    QCheckBox* chkPreView = nullptr;
    QFrame* SPicPanel = nullptr;
    MultiImageView* PMImage = nullptr;

    void chkPreViewClick();
};
