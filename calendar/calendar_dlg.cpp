// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar_dlg.h"

#include "base/ui/accessible_names.h"
#include "base/ui/screen_centre.h"
#include "calendar/calen_pnl.h"
#include "platform/clock.h"
#include "platform/help.h"

#include <QFrame>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>

namespace {

// The "今日" picture: a 32 x 16 strip holding the normal and the greyed
// 16 x 16 pictures side by side.
QIcon TodayIcon()
{
    const QPixmap strip(QStringLiteral(":/calendar/today.png"));
    QIcon icon;
    if (strip.width() >= 32 && strip.height() >= 16) {
        icon.addPixmap(strip.copy(0, 0, 16, 16), QIcon::Normal);
        icon.addPixmap(strip.copy(16, 0, 16, 16), QIcon::Disabled);
    }
    return icon;
}

// A font by its Windows name, with the Japanese face installed here behind it.
QFont UiFont(const QString& family, const QString& fallback, int pixelSize)
{
    QFont font;
    font.setFamilies({family, fallback});
    font.setPixelSize(pixelSize);
    return font;
}

}  // namespace

TCalendarDlg::TCalendarDlg(QWidget* owner, const platform::Clock& clock, platform::Help& help)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      clock_(clock), help_(help)
{
    setWindowTitle(tr("Zelvaro のカレンダー"));
    setFixedSize(376, 224);
    setFont(UiFont(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"), 12));

    CalenPnl1 = new TCalenPnl(clock, this);
    CalenPnl1->setObjectName(QStringLiteral("CalenPnl1"));
    CalenPnl1->setGeometry(16, 16, 249, 193);
    CalenPnl1->SetBorderWidth(6);
    CalenPnl1->setFont(UiFont(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"), 13));
    CalenPnl1->SetUseLongDate(true);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(272, 16, 89, 57);

    BitBtn2 = new QPushButton(TodayIcon(), tr("今日"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(280, 32, 73, 25);
    BitBtn2->setIconSize(QSize(16, 16));
    connect(BitBtn2, &QPushButton::clicked, this, &TCalendarDlg::BitBtn2Click);

    BitBtn1 = new QPushButton(tr("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(280, 96, 73, 25);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    BitBtn3 = new QPushButton(tr("ﾍﾙﾌﾟ(&H)"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setGeometry(280, 136, 75, 25);
    connect(BitBtn3, &QPushButton::clicked, this, &TCalendarDlg::BitBtn3Click);

    // Tab order: the calendar, OK, today, help. The calendar starts with
    // the focus so the keys move the selection at once.
    setTabOrder(CalenPnl1, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, BitBtn3);
    CalenPnl1->setFocus();
    // Screen readers hear the captions without access keys and colons.
    NameControlsForSpeech(this);
}

void TCalendarDlg::FormActivate()
{
    CalenPnl1->SetCalendarDate(clock_.Now());
}

void TCalendarDlg::BitBtn2Click()
{
    CalenPnl1->SetCalendarDate(clock_.Now());
}

void TCalendarDlg::BitBtn3Click()
{
    help_.ShowContext(kHelpContext);
}

void TCalendarDlg::showEvent(QShowEvent* event)
{
    // Centred on the screen, whatever the owner.
    CentreOnScreen(*this);
    FormActivate();
    QDialog::showEvent(event);
}

void DoCalendar(QWidget* owner, const platform::Clock& clock, platform::Help& help)
{
    TCalendarDlg dialog(owner, clock, help);
    dialog.exec();
}
