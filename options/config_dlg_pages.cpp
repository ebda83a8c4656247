// SPDX-License-Identifier: GPL-3.0-or-later
// The four tabs of the options dialog, control by control.

#include "base/ui/focus_ring.h"
#include "base/ui/step_spin_edit.h"
#include "options/config_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <tuple>

namespace {

constexpr int kPathWidth = 300;

QLabel* NewLabel(const QString& caption, QWidget* parent)
{
    return new QLabel(caption, parent);
}

// "hh：mm ～ hh：mm" for one time window.
QHBoxLayout* TimeWindowRow(StepSpinEdit* startHour, StepSpinEdit* startMin, StepSpinEdit* endHour, StepSpinEdit* endMin,
                           QWidget* parent)
{
    auto* row = new QHBoxLayout;
    row->addSpacing(20);
    row->addWidget(startHour);
    row->addWidget(NewLabel(TConfigDlg::tr("："), parent));
    row->addWidget(startMin);
    row->addSpacing(8);
    row->addWidget(NewLabel(TConfigDlg::tr("～"), parent));
    row->addSpacing(8);
    row->addWidget(endHour);
    row->addWidget(NewLabel(TConfigDlg::tr("："), parent));
    row->addWidget(endMin);
    row->addStretch();
    return row;
}

QHBoxLayout* PathRow(QLineEdit* field, QToolButton* button)
{
    auto* row = new QHBoxLayout;
    row->addWidget(field);
    row->addWidget(button);
    row->addStretch();
    return row;
}

// A switch over its file field and picker button, with a gap after them.
void AddSwitchedFile(QVBoxLayout* layout, QCheckBox* check, QLineEdit* field, QToolButton* button)
{
    layout->addWidget(check);
    layout->addLayout(PathRow(field, button));
    layout->addSpacing(6);
}

}  // namespace

QLineEdit* TConfigDlg::NewPathField(const char* objectName, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(objectName));
    field->setFixedWidth(kPathWidth);
    return field;
}

QToolButton* TConfigDlg::NewFolderButton(const char* objectName, QWidget* parent)
{
    // The style marks an auto-raised button's focus only faintly: a clear ring.
    auto* button = new FocusRingToolButton(parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    button->setAutoRaise(true);
    return button;
}

QCheckBox* TConfigDlg::NewCheckBox(const char* objectName, const QString& caption, QWidget* parent)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(objectName));
    return box;
}

StepSpinEdit* TConfigDlg::NewSpin(const char* objectName, SpinRange range, QWidget* parent)
{
    auto* spin = new StepSpinEdit(range.minimum, range.maximum, range.step, parent);
    spin->setObjectName(QString::fromLatin1(objectName));
    spin->setAlignment(Qt::AlignRight);
    spin->setMinimumWidth(52);
    spin->SetMinimumDigits(range.digits);
    return spin;
}

QWidget* TConfigDlg::BuildDirectoryPage()
{
    auto* page = new QWidget;
    edtWalldir1 = NewPathField("edtWalldir1", page);
    sbtnDir1Open = NewFolderButton("sbtnDir1Open", page);
    chkWallDir2 = NewCheckBox("chkWallDir2", tr("ｵﾌﾟｼｮﾝﾃﾞｨﾚｸﾄﾘ 1"), page);
    edtWallDir2 = NewPathField("edtWallDir2", page);
    sbtnDir2Open = NewFolderButton("sbtnDir2Open", page);
    spnDir2StartHour = NewSpin("spnDir2StartHour", kHourRange, page);
    spnDir2StartMin = NewSpin("spnDir2StartMin", kMinuteRange, page);
    spnDir2EndHour = NewSpin("spnDir2EndHour", kHourRange, page);
    spnDir2EndMin = NewSpin("spnDir2EndMin", kMinuteRange, page);
    chkWallDir3 = NewCheckBox("chkWallDir3", tr("ｵﾌﾟｼｮﾝﾃﾞｨﾚｸﾄﾘ 2"), page);
    edtWallDir3 = NewPathField("edtWallDir3", page);
    sbtnDir3Open = NewFolderButton("sbtnDir3Open", page);
    spnDir3StartHour = NewSpin("spnDir3StartHour", kHourRange, page);
    spnDir3StartMin = NewSpin("spnDir3StartMin", kMinuteRange, page);
    spnDir3EndHour = NewSpin("spnDir3EndHour", kHourRange, page);
    spnDir3EndMin = NewSpin("spnDir3EndMin", kMinuteRange, page);

    auto* layout = new QVBoxLayout(page);
    QLabel* dir1Label = NewLabel(tr("標準ﾃﾞｨﾚｸﾄﾘ"), page);
    dir1Label->setBuddy(edtWalldir1);
    layout->addWidget(dir1Label);
    layout->addLayout(PathRow(edtWalldir1, sbtnDir1Open));
    layout->addSpacing(6);
    layout->addWidget(chkWallDir2);
    layout->addLayout(PathRow(edtWallDir2, sbtnDir2Open));
    layout->addLayout(TimeWindowRow(spnDir2StartHour, spnDir2StartMin, spnDir2EndHour, spnDir2EndMin, page));
    layout->addSpacing(6);
    layout->addWidget(chkWallDir3);
    layout->addLayout(PathRow(edtWallDir3, sbtnDir3Open));
    layout->addLayout(TimeWindowRow(spnDir3StartHour, spnDir3StartMin, spnDir3EndHour, spnDir3EndMin, page));
    layout->addStretch();
    return page;
}

QWidget* TConfigDlg::BuildWallOptionsPage()
{
    auto* page = new QWidget;
    chkWallChange = NewCheckBox("chkWallChange", tr("壁紙変更"), page);
    chkStartWallChange = NewCheckBox("chkStartWallChange", tr("起動時に変更"), page);
    spnInterval = NewSpin("spnInterval", kIntervalRange, page);
    edtPanic = NewPathField("edtPanic", page);
    sbtnPanicOpen = NewFolderButton("sbtnPanicOpen", page);
    chkColorDec = NewCheckBox("chkColorDec", tr("ドロップファイルの減色"), page);
    chkOnTop = NewCheckBox("chkOnTop", tr("Zelvaro前面表示"), page);
    chkClock24 = NewCheckBox("chkClock24", tr("24時間表示"), page);
    cmbWallDisplay = new QComboBox(page);
    cmbWallDisplay->setObjectName(QStringLiteral("cmbWallDisplay"));
    cmbWallDisplay->addItems({tr("中央"), tr("全体"), tr("ﾌｨｯﾄ"), tr("拡大"), tr("伸縮"), tr("ｽﾊﾟﾝ")});
    cmbWallDisplay->setAccessibleName(tr("表示方法"));
    auto* display = new QHBoxLayout;
    auto* displayLabel = new QLabel(tr("表示方法"), page);
    displayLabel->setBuddy(cmbWallDisplay);
    display->addWidget(displayLabel);
    display->addWidget(cmbWallDisplay);
    display->addStretch();
    chkWallPerMonitor = NewCheckBox("chkWallPerMonitor", tr("ﾓﾆﾀｰごとに別の壁紙"), page);

    auto* interval = new QHBoxLayout;
    QLabel* intervalLabel = NewLabel(tr("変更間隔（分）"), page);
    intervalLabel->setBuddy(spnInterval);
    interval->addWidget(intervalLabel);
    interval->addWidget(spnInterval);
    interval->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(chkWallChange);
    layout->addWidget(chkStartWallChange);
    layout->addLayout(interval);
    layout->addSpacing(6);
    QLabel* panicLabel = NewLabel(tr("緊急表示壁紙ﾌｧｲﾙ"), page);
    panicLabel->setBuddy(edtPanic);
    layout->addWidget(panicLabel);
    layout->addLayout(PathRow(edtPanic, sbtnPanicOpen));
    layout->addSpacing(6);
    layout->addWidget(chkColorDec);
    layout->addWidget(chkOnTop);
    layout->addWidget(chkClock24);
    layout->addSpacing(6);
    layout->addLayout(display);
    layout->addWidget(chkWallPerMonitor);
    layout->addStretch();
    return page;
}

QWidget* TConfigDlg::BuildSignalPage()
{
    auto* page = new QWidget;
    chkJustWave = NewCheckBox("chkJustWave", tr("正時"), page);
    edtJustWave = NewPathField("edtJustWave", page);
    sbtnJustOpen = NewFolderButton("sbtnJustOpen", page);
    chkHalfWave = NewCheckBox("chkHalfWave", tr("３０分"), page);
    edtHalfWave = NewPathField("edtHalfWave", page);
    sbtnHalfOpen = NewFolderButton("sbtnHalfOpen", page);
    chkQuarterWave = NewCheckBox("chkQuarterWave", tr("１５分／４５分"), page);
    edtQuarterWave = NewPathField("edtQuarterWave", page);
    sbtnQuarterOpen = NewFolderButton("sbtnQuarterOpen", page);

    auto* layout = new QVBoxLayout(page);
    AddSwitchedFile(layout, chkJustWave, edtJustWave, sbtnJustOpen);
    AddSwitchedFile(layout, chkHalfWave, edtHalfWave, sbtnHalfOpen);
    AddSwitchedFile(layout, chkQuarterWave, edtQuarterWave, sbtnQuarterOpen);
    layout->addStretch();
    return page;
}

QWidget* TConfigDlg::BuildAlarmPage()
{
    auto* page = new QWidget;
    chkAlarmWave = NewCheckBox("chkAlarmWave", tr("ｻｳﾝﾄﾞﾌｧｲﾙ"), page);
    edtAlarmWaveFile = NewPathField("edtAlarmWaveFile", page);
    sbtnWaveOpen = NewFolderButton("sbtnWaveOpen", page);
    chkAlarmBmp = NewCheckBox("chkAlarmBmp", tr("ﾋﾞｯﾄマップﾌｧｲﾙ"), page);
    edtAlarmBmpFile = NewPathField("edtAlarmBmpFile", page);
    sbtnBmpOpen = NewFolderButton("sbtnBmpOpen", page);

    auto* layout = new QVBoxLayout(page);
    AddSwitchedFile(layout, chkAlarmWave, edtAlarmWaveFile, sbtnWaveOpen);
    AddSwitchedFile(layout, chkAlarmBmp, edtAlarmBmpFile, sbtnBmpOpen);
    layout->addStretch();
    return page;
}

void TConfigDlg::NameControls()
{
    const auto name = [](QWidget* control, const QString& text) { control->setAccessibleName(text); };
    const QString folder = tr("%1 のﾌｫﾙﾀﾞ");
    const QString choose = tr("%1 を選ぶ");
    const QString from = tr("%1 の開始 (時)");
    const QString fromMin = tr("%1 の開始 (分)");
    const QString to = tr("%1 の終了 (時)");
    const QString toMin = tr("%1 の終了 (分)");
    const QString dir1 = tr("標準ﾃﾞｨﾚｸﾄﾘ");
    name(edtWalldir1, folder.arg(dir1));
    name(sbtnDir1Open, choose.arg(dir1));
    for (auto [check, field, button, sh, sm, eh, em] :
         {std::tuple{chkWallDir2, edtWallDir2, sbtnDir2Open, spnDir2StartHour, spnDir2StartMin, spnDir2EndHour,
                     spnDir2EndMin},
          std::tuple{chkWallDir3, edtWallDir3, sbtnDir3Open, spnDir3StartHour, spnDir3StartMin, spnDir3EndHour,
                     spnDir3EndMin}}) {
        const QString caption = check->text().remove(QLatin1Char('&'));
        name(field, folder.arg(caption));
        name(button, choose.arg(caption));
        name(sh, from.arg(caption));
        name(sm, fromMin.arg(caption));
        name(eh, to.arg(caption));
        name(em, toMin.arg(caption));
    }
    name(spnInterval, tr("変更間隔（分）"));
    name(chkWallPerMonitor, chkWallPerMonitor->text().remove(QLatin1Char('&')));
    const QString panic = tr("緊急表示壁紙ﾌｧｲﾙ");
    name(edtPanic, panic);
    name(sbtnPanicOpen, choose.arg(panic));
    for (auto [check, field, button] :
         {std::tuple{chkJustWave, edtJustWave, sbtnJustOpen}, std::tuple{chkHalfWave, edtHalfWave, sbtnHalfOpen},
          std::tuple{chkQuarterWave, edtQuarterWave, sbtnQuarterOpen},
          std::tuple{chkAlarmWave, edtAlarmWaveFile, sbtnWaveOpen},
          std::tuple{chkAlarmBmp, edtAlarmBmpFile, sbtnBmpOpen}}) {
        const QString caption = check->text().remove(QLatin1Char('&'));
        name(field, tr("%1 のﾌｧｲﾙ").arg(caption));
        name(button, choose.arg(caption));
        button->setToolTip(choose.arg(caption));
    }
    for (QToolButton* button : {sbtnDir1Open, sbtnDir2Open, sbtnDir3Open, sbtnPanicOpen})
        button->setToolTip(button->accessibleName());
}
