// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/open_wav.h"

#include "base/ui/error_handler.h"
#include "base/zelvaro_error.h"
#include "options/file_types.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

TfrmOpenWav::TfrmOpenWav(platform::Sound& sound, const std::string& mountTable, QWidget* parent)
    : FilePicker(tr("WAVの選択"), "*.WAV", mountTable, parent), sound_(sound)
{
    setObjectName(QStringLiteral("frmOpenWav"));
    edtFileName = FileNameEdit;
    edtFileName->setObjectName(QStringLiteral("edtFileName"));

    GroupBox1 = new QGroupBox(tr("Sound Test"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    chkAutoPlay = new QCheckBox(tr("自動演奏"), GroupBox1);
    chkAutoPlay->setObjectName(QStringLiteral("chkAutoPlay"));
    chkAutoPlay->setChecked(true);
    MediaPlayer = new QWidget(GroupBox1);
    MediaPlayer->setObjectName(QStringLiteral("MediaPlayer"));
    PlayButton = new QPushButton(style()->standardIcon(QStyle::SP_MediaPlay), QString(), MediaPlayer);
    PlayButton->setObjectName(QStringLiteral("PlayButton"));
    PlayButton->setToolTip(tr("Play"));
    PlayButton->setAccessibleName(tr("Play"));
    StopButton = new QPushButton(style()->standardIcon(QStyle::SP_MediaStop), QString(), MediaPlayer);
    StopButton->setObjectName(QStringLiteral("StopButton"));
    StopButton->setToolTip(tr("Stop"));
    StopButton->setAccessibleName(tr("Stop"));
    for (QPushButton* button : {PlayButton, StopButton}) {
        button->setAutoDefault(false);
        button->setFixedSize(28, 24);
    }
    auto* bar = new QHBoxLayout(MediaPlayer);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(0);
    bar->addWidget(PlayButton);
    bar->addWidget(StopButton);
    auto* test = new QHBoxLayout(GroupBox1);
    test->addWidget(chkAutoPlay);
    test->addStretch();
    test->addWidget(MediaPlayer);
    ExtraArea()->addWidget(GroupBox1);

    SetFileTypes(kOpenWavFileTypes);
    connect(PlayButton, &QPushButton::clicked, this, [this] { ErrorHandler::Run([this] { PlaySelected(); }); });
    connect(StopButton, &QPushButton::clicked, this, &TfrmOpenWav::StopSound);
    FinishLayout();
}

TfrmOpenWav::~TfrmOpenWav()
{
    StopSound();
}

void TfrmOpenWav::done(int result)
{
    StopSound();
    FilePicker::done(result);
}

void TfrmOpenWav::FileListClick()
{
    if (chkAutoPlay->isChecked())
        PlaySelected();
}

void TfrmOpenWav::FileListDblClick()
{
    btnOK->click();
}

void TfrmOpenWav::PlaySelected()
{
    const std::string file = FileName();
    if (file.empty())
        return;
    started_ = true;
    const std::string error = sound_.TryPlay(file);
    // One box per failure and opening: without a sound device every click
    // would repeat the same one.
    if (!error.empty() && reported_.insert(error).second)
        throw ZelvaroError(error);
}

void TfrmOpenWav::StopSound()
{
    if (started_)
        sound_.Stop();
    started_ = false;
}
