// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/config_dlg.h"

#include "base/profile_text.h"
#include "base/ui/accessible_names.h"
#include "base/ui/dialog_buttons.h"
#include "base/ui/error_handler.h"
#include "base/ui/path_text.h"
#include "base/ui/step_spin_edit.h"
#include "options/file_types.h"
#include "options/open_bmp.h"
#include "options/open_wav.h"
#include "options/typed_file_name.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

std::function<bool(const QString&)>& MissingFolderQuestion()
{
    static std::function<bool(const QString&)> ask;
    return ask;
}

// The fields hold paths: byte for byte, whatever the names hold.
QString Text(const std::string& text)
{
    return PathText(text);
}

std::string Text(const QLineEdit* field)
{
    return PathBytes(field->text());
}

}  // namespace

TConfigDlg::TConfigDlg(platform::Help& help, platform::Sound& sound, std::string mountTable, QWidget* parent)
    : QDialog(parent), help_(help), sound_(sound), mountTable_(std::move(mountTable))
{
    setObjectName(QStringLiteral("ConfigDlg"));
    setWindowTitle(tr("Zelvaroの設定"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QFont windowFont = font();
    windowFont.setFamilies(
        {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    setFont(windowFont);

    OptionNote = new QTabWidget(this);
    OptionNote->setObjectName(QStringLiteral("OptionNote"));
    OptionNote->addTab(BuildDirectoryPage(), tr("壁紙ﾃﾞｨﾚｸﾄﾘ"));
    OptionNote->addTab(BuildWallOptionsPage(), tr("壁紙ｵﾌﾟｼｮﾝ"));
    OptionNote->addTab(BuildSignalPage(), tr("時報"));
    OptionNote->addTab(BuildAlarmPage(), tr("ｱﾗｰﾑ"));
    OptionNote->setCurrentIndex(0);
    // Every tab in view, in any language: the dialog grows to hold them.
    OptionNote->tabBar()->setUsesScrollButtons(false);
    NameControls();

    const DialogButtons standard = MakeDialogButtons(this);
    OKBtn = standard.OKBtn;
    CancelBtn = standard.CancelBtn;
    HelpBtn = standard.HelpBtn;
    connect(HelpBtn, &QPushButton::clicked, this, [this] { help_.ShowContext(kHelpContext); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(OptionNote);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Picker buttons.
    for (auto [button, field] : {std::pair{sbtnDir1Open, edtWalldir1}, std::pair{sbtnDir2Open, edtWallDir2},
                                 std::pair{sbtnDir3Open, edtWallDir3}}) {
        connect(button, &QToolButton::clicked, this, [this, field = field] { PickDirectory(field); });
    }
    connect(sbtnPanicOpen, &QToolButton::clicked, this, [this] { PickImageFile(edtPanic, ImageFileTypes()); });
    connect(sbtnBmpOpen, &QToolButton::clicked, this, [this] { PickImageFile(edtAlarmBmpFile, kBmpFileTypes); });
    for (auto [button, field] :
         {std::pair{sbtnJustOpen, edtJustWave}, std::pair{sbtnHalfOpen, edtHalfWave},
          std::pair{sbtnQuarterOpen, edtQuarterWave}, std::pair{sbtnWaveOpen, edtAlarmWaveFile}}) {
        connect(button, &QToolButton::clicked, this, [this, field = field] { PickSoundFile(field); });
    }

    // Fixed size, centred on the screen.
    adjustSize();
    setFixedSize(size());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    // Opens on its first field, where typing can start.
    edtWalldir1->setFocus();
    // Screen readers hear the captions without access keys and colons.
    NameControlsForSpeech(this);
}

void TConfigDlg::Fill(const ConfigValues& v)
{
    edtWalldir1->setText(Text(v.WallDir1));
    chkWallDir2->setChecked(v.WallDir2Sw);
    edtWallDir2->setText(Text(v.WallDir2));
    spnDir2StartHour->setValue(v.WallDir2Start.hour);
    spnDir2StartMin->setValue(v.WallDir2Start.minute);
    spnDir2EndHour->setValue(v.WallDir2End.hour);
    spnDir2EndMin->setValue(v.WallDir2End.minute);
    chkWallDir3->setChecked(v.WallDir3Sw);
    edtWallDir3->setText(Text(v.WallDir3));
    spnDir3StartHour->setValue(v.WallDir3Start.hour);
    spnDir3StartMin->setValue(v.WallDir3Start.minute);
    spnDir3EndHour->setValue(v.WallDir3End.hour);
    spnDir3EndMin->setValue(v.WallDir3End.minute);

    chkWallChange->setChecked(v.WallChangeSw);
    chkStartWallChange->setChecked(v.StartWallChangeSw);
    spnInterval->setValue(v.IntervalMinutes);
    edtPanic->setText(Text(v.PanicWallPaper));
    chkColorDec->setChecked(v.ColorDecSw);
    chkOnTop->setChecked(v.OnTop);
    chkClock24->setChecked(v.Clock24);
    cmbWallDisplay->setCurrentIndex(std::clamp(v.WallpaperDisplay, 0, cmbWallDisplay->count() - 1));
    chkWallPerMonitor->setChecked(v.WallPerMonitorSw);

    chkJustWave->setChecked(v.JustWaveSw);
    edtJustWave->setText(Text(v.JustWave));
    chkHalfWave->setChecked(v.HalfWaveSw);
    edtHalfWave->setText(Text(v.HalfWave));
    chkQuarterWave->setChecked(v.QuarterWaveSw);
    edtQuarterWave->setText(Text(v.QuarterWave));

    chkAlarmWave->setChecked(v.AlarmWaveSw);
    edtAlarmWaveFile->setText(Text(v.AlarmWave));
    chkAlarmBmp->setChecked(v.AlarmBmpSw);
    edtAlarmBmpFile->setText(Text(v.AlarmBmp));
}

ConfigValues TConfigDlg::Values() const
{
    ConfigValues v;
    v.WallDir1 = Text(edtWalldir1);
    v.WallDir2Sw = chkWallDir2->isChecked();
    v.WallDir2 = Text(edtWallDir2);
    v.WallDir2Start = {spnDir2StartHour->value(), spnDir2StartMin->value()};
    v.WallDir2End = {spnDir2EndHour->value(), spnDir2EndMin->value()};
    v.WallDir3Sw = chkWallDir3->isChecked();
    v.WallDir3 = Text(edtWallDir3);
    v.WallDir3Start = {spnDir3StartHour->value(), spnDir3StartMin->value()};
    v.WallDir3End = {spnDir3EndHour->value(), spnDir3EndMin->value()};

    v.WallChangeSw = chkWallChange->isChecked();
    v.StartWallChangeSw = chkStartWallChange->isChecked();
    v.IntervalMinutes = spnInterval->value();
    v.PanicWallPaper = Text(edtPanic);
    v.ColorDecSw = chkColorDec->isChecked();
    v.OnTop = chkOnTop->isChecked();
    v.Clock24 = chkClock24->isChecked();
    v.WallpaperDisplay = cmbWallDisplay->currentIndex();
    v.WallPerMonitorSw = chkWallPerMonitor->isChecked();

    v.JustWaveSw = chkJustWave->isChecked();
    v.JustWave = Text(edtJustWave);
    v.HalfWaveSw = chkHalfWave->isChecked();
    v.HalfWave = Text(edtHalfWave);
    v.QuarterWaveSw = chkQuarterWave->isChecked();
    v.QuarterWave = Text(edtQuarterWave);

    v.AlarmWaveSw = chkAlarmWave->isChecked();
    v.AlarmWave = Text(edtAlarmWaveFile);
    v.AlarmBmpSw = chkAlarmBmp->isChecked();
    v.AlarmBmp = Text(edtAlarmBmpFile);
    return v;
}

void TConfigDlg::PickDirectory(QLineEdit* field)
{
    ErrorHandler::Run([&] {
        TfrmOpenBmp picker(mountTable_);
        picker.SetFileTypes(ImageFileTypes());
        picker.OpenNear(Text(field), QStandardPaths::PicturesLocation);
        if (picker.exec() == QDialog::Accepted)
            field->setText(Text(picker.Directory()));
    });
}

void TConfigDlg::PickImageFile(QLineEdit* field, const std::string& fileTypes)
{
    ErrorHandler::Run([&] {
        TfrmOpenBmp picker(mountTable_);
        picker.SetFileTypes(fileTypes);
        picker.OpenNear(Text(field), QStandardPaths::PicturesLocation);
        if (picker.exec() == QDialog::Accepted)
            field->setText(Text(picker.FileName()));
    });
}

void TConfigDlg::PickSoundFile(QLineEdit* field)
{
    ErrorHandler::Run([&] {
        TfrmOpenWav picker(sound_, mountTable_);
        picker.OpenNear(Text(field), QStandardPaths::MusicLocation);
        if (picker.exec() == QDialog::Accepted)
            field->setText(Text(picker.FileName()));
    });
}

void TConfigDlg::accept()
{
    for (QLineEdit* field : {edtWalldir1, edtWallDir2, edtWallDir3, edtPanic, edtJustWave, edtHalfWave, edtQuarterWave,
                             edtAlarmWaveFile, edtAlarmBmpFile}) {
        const std::string text = Text(field);
        if (!ErrorHandler::Run([&text] { RefuseLineBreak(text); })) {
            ShowField(field);
            return;
        }
    }
    // The optional folders count only while switched on.
    for (QLineEdit* field : {edtWalldir1, edtWallDir2, edtWallDir3}) {
        const std::string folder = Text(field);
        const bool used = (field != edtWallDir2 || chkWallDir2->isChecked()) &&
                          (field != edtWallDir3 || chkWallDir3->isChecked());
        if (!used || folder.empty() || IsFolder(folder))
            continue;
        ShowField(field);
        const QString question = tr("壁紙ﾃﾞｨﾚｸﾄﾘ %1 がありません。このまま設定しますか？").arg(field->text());
        if (!KeepMissingFolder(question))
            return;
    }
    QDialog::accept();
}

void TConfigDlg::SetMissingFolderQuestion(std::function<bool(const QString&)> ask)
{
    MissingFolderQuestion() = std::move(ask);
}

bool TConfigDlg::KeepMissingFolder(const QString& question)
{
    if (MissingFolderQuestion())
        return MissingFolderQuestion()(question);
    QMessageBox box(QMessageBox::Warning, windowTitle(), question, QMessageBox::Yes | QMessageBox::No, this);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void TConfigDlg::ShowField(QLineEdit* field)
{
    for (QWidget* page = field->parentWidget(); page; page = page->parentWidget()) {
        if (const int index = OptionNote->indexOf(page); index >= 0) {
            OptionNote->setCurrentIndex(index);
            break;
        }
    }
    field->setFocus();
}

void TConfigDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        help_.ShowContext(kHelpContext);
        return;
    }
    QDialog::keyPressEvent(event);
}
