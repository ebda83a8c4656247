// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/open_bmp.h"

#include "base/text_helpers.h"
#include "base/ui/path_text.h"
#include "base/zelvaro_error.h"
#include "image/views/multi_image_view.h"
#include "options/dynamic_summary.h"
#include "options/file_types.h"
#include "options/typed_file_name.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
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

TfrmOpenBmp::TfrmOpenBmp(const std::string& mountTable, platform::ProcessMemory& memory, QWidget* parent)
    : FilePicker(tr("画像ﾌｧｲﾙの選択"), "*.BMP", mountTable, parent), memory_(memory)
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
    lblDynamic = new QLabel(this);
    lblDynamic->setObjectName(QStringLiteral("lblDynamic"));
    lblDynamic->setAccessibleName(tr("ﾀﾞｲﾅﾐｯｸ壁紙"));
    lblDynamic->setWordWrap(true);
    lblDynamic->hide();
    ExtraArea()->addWidget(lblDynamic);

    SetFileTypes(OpenBmpOwnFileTypes());
    connect(chkPreView, &QCheckBox::clicked, this, &TfrmOpenBmp::chkPreViewClick);
    FinishLayout();
}

void TfrmOpenBmp::FileListClick()
{
    if (chkPreView->isChecked())
        ShowPreview();
}

void TfrmOpenBmp::CheckTypedFile(const std::string& path)
{
    if (!IsPictureFile(path))
        throw ZelvaroError(
            QT_TRANSLATE_NOOP("Messages", "ﾌｧｲﾙ %s は画像ではありません。画像ﾌｧｲﾙの名前を入力してください"),
            ShownEscaped(path));
}

void TfrmOpenBmp::chkPreViewClick()
{
    if (!chkPreView->isChecked())
        PMImage->SetPicture(DibPicture{});
    else if (!FileName().empty())
        ShowPreview();
}

void TfrmOpenBmp::ShowDynamicLine(const std::string& path)
{
    const std::optional<DynamicSummary> summary = SummariseDynamicWallpaper(path);
    if (!summary)
        return;
    const QString place = QString::fromStdString(summary->place);
    QString line;
    switch (summary->kind) {
    case DynamicSchedule::Kind::Sun:
        line = tr("ﾀﾞｲﾅﾐｯｸ: %1 枚、%2 の太陽に合わせて変わります").arg(summary->pictures).arg(place);
        break;
    case DynamicSchedule::Kind::LightDark:
        line = tr("ﾀﾞｲﾅﾐｯｸ: %1 枚、%2 の昼と夜で変わります").arg(summary->pictures).arg(place);
        break;
    case DynamicSchedule::Kind::DayTimes:
        line = tr("ﾀﾞｲﾅﾐｯｸ: %1 枚、時刻に合わせて変わります").arg(summary->pictures);
        break;
    case DynamicSchedule::Kind::Loop:
        line = tr("ﾀﾞｲﾅﾐｯｸ: %1 枚、決まった時間ごとに繰り返します").arg(summary->pictures);
        break;
    }
    lblDynamic->setText(line);
    lblDynamic->setAccessibleDescription(line);
    lblDynamic->show();
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
        lblDynamic->hide();
        PMImage->repaint();
        PMImage->SetImageName(PathText(path));
        ShowDynamicLine(path);
    } catch (const std::exception& e) {
        qCDebug(lcOptions, "preview of %s failed: %s", ShownEscaped(path).c_str(), ShownEscaped(e.what()).c_str());
    }
    memory_.ReturnFreeHeap();
}
