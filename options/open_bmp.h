// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The image picker "画像ﾌｧｲﾙの選択": the file lists of FilePicker with a
// preview of the selected picture, 165 × 129, scaled to fit with its
// proportions kept, read by the image component in every format it knows
// (Photo CD included, its border kept).

#include "options/file_picker.h"
#include "platform/process_memory.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class MultiImageView;

class TfrmOpenBmp : public FilePicker {
    Q_OBJECT
public:
    // `memory` gets back what a preview's read let go.
    explicit TfrmOpenBmp(const std::string& mountTable, platform::ProcessMemory& memory = platform::KeptProcessMemory(),
                         QWidget* parent = nullptr);

    // Shows the selected file in the preview. Read errors are swallowed (the
    // image component shows its own box); the busy cursor is always put back.
    // The memory the read let go is given back to the system (a large
    // picture's decoding takes hundreds of megabytes the heap would keep).
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
    platform::ProcessMemory& memory_;
    // Under the preview of a dynamic wallpaper: its pictures and what it follows.
    QLabel* lblDynamic = nullptr;

    void chkPreViewClick();
    void ShowDynamicLine(const std::string& path);
};
