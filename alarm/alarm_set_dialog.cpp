// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/alarm_set_dialog.h"

#include "alarm/alarm_time.h"
#include "base/ui/accessible_names.h"
#include "base/ui/dialog_buttons.h"
#include "base/ui/screen_centre.h"
#include "base/ui/step_spin_edit.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The picture on the "今の時刻" button: a small clock face.
QIcon NowIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 128), 1.4));
    p.setBrush(QColor(255, 255, 224));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(Qt::black, 1.4));
    p.drawLine(QPointF(8, 8), QPointF(8, 4));
    p.drawLine(QPointF(8, 8), QPointF(11, 9));
    return QIcon(pixmap);
}

struct QuickSpan {
    const char* objectName;
    const char* caption;
    int minutes;
};

// Two rows of four, in the order they stand.
constexpr QuickSpan kQuickSpans[] = {
    {"SpeedButton1", QT_TRANSLATE_NOOP("TAlarmSetDlg", "3分"), 3},
    {"SpeedButton2", QT_TRANSLATE_NOOP("TAlarmSetDlg", "5分"), 5},
    {"SpeedButton4", QT_TRANSLATE_NOOP("TAlarmSetDlg", "10分"), 10},
    {"SpeedButton3", QT_TRANSLATE_NOOP("TAlarmSetDlg", "15分"), 15},
    {"SpeedButton5", QT_TRANSLATE_NOOP("TAlarmSetDlg", "30分"), 30},
    {"SpeedButton6", QT_TRANSLATE_NOOP("TAlarmSetDlg", "1時間"), 60},
    {"SpeedButton7", QT_TRANSLATE_NOOP("TAlarmSetDlg", "2時間"), 120},
    {"SpeedButton8", QT_TRANSLATE_NOOP("TAlarmSetDlg", "3時間"), 180},
};

}  // namespace

TAlarmSetDlg::TAlarmSetDlg(const platform::Clock& clock, platform::Help& help, QWidget* parent)
    : QDialog(parent), clock_(clock), help_(help)
{
    setObjectName(QStringLiteral("AlarmSetDlg"));
    setWindowTitle(tr("Zelvaro ｱﾗｰﾑの設定"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    HourSedit = new StepSpinEdit(0, 23, 1, this);
    HourSedit->setObjectName(QStringLiteral("HourSedit"));
    MinSEdit = new StepSpinEdit(0, 59, 1, this);
    MinSEdit->setObjectName(QStringLiteral("MinSEdit"));
    MinSEdit->SetMinimumDigits(2);
    for (StepSpinEdit* field : {HourSedit, MinSEdit}) {
        field->setAlignment(Qt::AlignRight);
        field->setMinimumWidth(56);
        QFont f = field->font();
        f.setPointSizeF(f.pointSizeF() * 1.4);
        field->setFont(f);
    }
    auto* colon = new QLabel(tr("："), this);
    HourSedit->setAccessibleName(tr("ｱﾗｰﾑの時"));
    MinSEdit->setAccessibleName(tr("ｱﾗｰﾑの分"));

    lblEcho = new QLabel(this);
    lblEcho->setObjectName(QStringLiteral("lblEcho"));
    lblEcho->setAccessibleName(tr("ｱﾗｰﾑの時刻"));
    // Wide enough for any time in the fields' font ("= 00:00 pm"), so the row keeps its place.
    const QFont echoFont = HourSedit->font();
    lblEcho->setFont(echoFont);
    lblEcho->setMinimumWidth(QFontMetrics(echoFont).horizontalAdvance(QStringLiteral("= 00:00 pm")) + 4);
    connect(HourSedit, &QSpinBox::valueChanged, this, &TAlarmSetDlg::UpdateEcho);
    connect(MinSEdit, &QSpinBox::valueChanged, this, &TAlarmSetDlg::UpdateEcho);
    UpdateEcho();

    NowButton = new QPushButton(NowIcon(), tr("今の時刻"), this);
    NowButton->setObjectName(QStringLiteral("NowButton"));
    NowButton->setAutoDefault(false);
    connect(NowButton, &QPushButton::clicked, this, &TAlarmSetDlg::NowButtonClick);

    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(HourSedit);
    timeRow->addWidget(colon);
    timeRow->addWidget(MinSEdit);
    timeRow->addSpacing(6);
    timeRow->addWidget(lblEcho);
    timeRow->addSpacing(6);
    timeRow->addWidget(NowButton);
    timeRow->addStretch();

    GroupBox1 = new QGroupBox(tr("今の時刻にプラス"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    BuildButtons(GroupBox1);

    const DialogButtons standard = MakeDialogButtons(this);
    OKBtn = standard.OKBtn;
    CancelBtn = standard.CancelBtn;
    HelpBtn = standard.HelpBtn;
    connect(HelpBtn, &QPushButton::clicked, this, &TAlarmSetDlg::HelpBtnClick);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(OKBtn);
    buttonRow->addWidget(CancelBtn);
    buttonRow->addWidget(HelpBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(timeRow);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    FixSizeAndCentre(*this);
    HourSedit->setFocus();
    // Screen readers hear the captions without access keys and colons.
    NameControlsForSpeech(this);
}

void TAlarmSetDlg::BuildButtons(QGroupBox* box)
{
    auto* grid = new QGridLayout(box);
    int index = 0;
    for (const QuickSpan& span : kQuickSpans) {
        auto* button = new QPushButton(tr(span.caption), box);
        button->setAccessibleName(tr("今の時刻にプラス") + QLatin1Char(' ') + button->text().remove(QLatin1Char('&')));
        button->setObjectName(QString::fromLatin1(span.objectName));
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::TabFocus);  // reachable from the keyboard, not taken by a click
        const int minutes = span.minutes;
        connect(button, &QPushButton::clicked, this, [this, minutes] { AddMinutesToNow(minutes); });
        grid->addWidget(button, index / 4, index % 4);
        ++index;
    }
}

void TAlarmSetDlg::SetAlarmTime(int hourOfDay, int minute)
{
    HourSedit->setValue(hourOfDay);
    MinSEdit->setValue(minute);
}

int TAlarmSetDlg::HourOfDay() const
{
    return HourSedit->value();
}

int TAlarmSetDlg::Minute() const
{
    return MinSEdit->value();
}

void TAlarmSetDlg::SetClock24(bool hours24)
{
    hours24_ = hours24;
    UpdateEcho();
}

void TAlarmSetDlg::UpdateEcho()
{
    const QString face = QString::fromStdString(AlarmEchoText(HourSedit->value(), MinSEdit->value(), hours24_));
    lblEcho->setText(QStringLiteral("= ") + face);
}

void TAlarmSetDlg::NowButtonClick()
{
    const HourMinute now = HourMinuteOf(clock_.Now());
    HourSedit->setValue(now.hour);
    MinSEdit->setValue(now.minute);
}

void TAlarmSetDlg::AddMinutesToNow(int minutes)
{
    const HourMinute then = ::AddMinutesToNow(clock_.Now(), minutes);
    HourSedit->setValue(then.hour);
    MinSEdit->setValue(then.minute);
}

void TAlarmSetDlg::HelpBtnClick()
{
    help_.ShowContext(kHelpContext);
}
