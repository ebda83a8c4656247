// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/open_bmp.h"

#include "base/ui/path_text.h"
#include "image/views/multi_image_view.h"
#include "options/file_types.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcOptions, "zelvaro.options")

namespace {

// The busy cursor for as long as it lives.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

TfrmOpenBmp::TfrmOpenBmp(const std::string& mountTable, QWidget* parent)
    : FilePicker(tr("画像ﾌｧｲﾙの選択"), "*.BMP", mountTable, parent)
{
    setObjectName(QStringLiteral("frmOpenBmp"));
    edtFileList = FileNameEdit;
    edtFileList->setObjectName(QStringLiteral("edtFileList"));

    chkPreView = new QCheckBox(tr(" ﾌﾟﾚﾋﾞｭｰ"), this);
    chkPreView->setObjectName(QStringLiteral("chkPreView"));
    chkPreView->setChecked(true);
    SPicPanel = new QFrame(this);
    SPicPanel->setObjectName(QStringLiteral("SPicPanel"));
    SPicPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PMImage = new MultiImageView(SPicPanel);
    PMImage->setObjectName(QStringLiteral("PMImage"));
    PMImage->Engine().ImageDither = true;
    PMImage->setGeometry(2, 2, 165, 129);
    SPicPanel->setFixedSize(169, 133);

    auto* row = new QHBoxLayout;
    row->addWidget(chkPreView, 0, Qt::AlignTop);
    row->addWidget(SPicPanel);
    row->addStretch();
    ExtraArea()->addLayout(row);

    SetFileTypes(OpenBmpOwnFileTypes());
    connect(chkPreView, &QCheckBox::clicked, this, &TfrmOpenBmp::chkPreViewClick);
    FinishLayout();
}

void TfrmOpenBmp::FileListClick()
{
    if (chkPreView->isChecked())
        ShowPreview();
}

void TfrmOpenBmp::chkPreViewClick()
{
    if (!chkPreView->isChecked())
        PMImage->SetPicture(DibPicture{});
    else if (!FileName().empty())
        ShowPreview();
}

void TfrmOpenBmp::ShowPreview()
{
    const std::string path = FileName();
    if (path.empty())
        return;
    const BusyCursor busy;
    try {
        // The whole path is used: names here may be far longer than 255
        // bytes. The previous picture goes first, so a broken file's box
        // never stands over a preview of another file.
        PMImage->SetPicture(DibPicture{});
        PMImage->repaint();
        PMImage->SetImageName(PathText(path));
    } catch (const std::exception& e) {
        qCDebug(lcOptions, "preview of %s failed: %s", path.c_str(), e.what());
    }
}
