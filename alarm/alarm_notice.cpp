// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/alarm_notice.h"

#include "base/ui/accessible_names.h"
#include "base/ui/readable_colour.h"
#include "base/ui/screen_centre.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QFont NoticeFont(const QFont& base, int pixels)
{
    QFont font = base;
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

}  // namespace

TMsgDlg::TMsgDlg(platform::Sound& sound, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("MsgDlg"));
    setWindowTitle(tr("Zelvaro ｱﾗｰﾑ"));
    // Title bar with the close box only; on top of every other window.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint);
    QFont windowFont = font();
    windowFont.setFamilies(
        {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    setFont(windowFont);

    Label1 = new QLabel(tr("指定の時間になりました"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(NoticeFont(windowFont, 19));
    // The written maroon and black, lightened on a dark palette.
    const QColor ground = palette().color(QPalette::Window);
    Label1->setStyleSheet(QStringLiteral("color: %1;").arg(ReadableHue(QColor(0x80, 0, 0), ground).name()));

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setFont(NoticeFont(windowFont, 19));
    Label2->setStyleSheet(QStringLiteral("color: %1;").arg(ReadableHue(QColor(0, 0, 0), ground).name()));
    Label2->setFixedWidth(233);
    // The time and its face form may not fit one line in every language.
    Label2->setWordWrap(true);

    // Built as from a layout: every property first, then the start.
    BMScroll1 = new TBMScroll(sound, this);
    BMScroll1->setObjectName(QStringLiteral("BMScroll1"));
    BMScroll1->BeginLayout();
    BMScroll1->setFixedSize(233, 129);
    BMScroll1->SetBorderStyle(ScrollBorder::bsNone);
    BMScroll1->SetClickScroll(false);
    BMScroll1->SetScrollIt(true);
    BMScroll1->SetBitmap(BuiltInPicture());
    BMScroll1->Loaded();

    OKBtn = new QPushButton(tr("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addWidget(Label1, 0, Qt::AlignHCenter);
    layout->addWidget(Label2, 0, Qt::AlignHCenter);
    layout->addSpacing(4);
    layout->addWidget(BMScroll1, 0, Qt::AlignHCenter);
    layout->addSpacing(4);
    layout->addWidget(OKBtn, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    FixSizeAndCentre(*this);
    // Screen readers hear the captions without access keys and colons.
    NameControlsForSpeech(this);
}

QImage TMsgDlg::BuiltInPicture()
{
    static const QImage picture(QStringLiteral(":/alarm/alarm_picture.bmp"));
    return picture;
}

void TMsgDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TMsgDlg::FormShow()
{
    // The flag is set when the notice is built; a window manager that dropped
    // it still gets the notice raised above the others.
    raise();
    activateWindow();
}

void TMsgDlg::ShowAlarm(const QString& timeText, const QImage& picture, const std::string& soundFile)
{
    Label2->setText(timeText);
    BMScroll1->SetScrollIt(true);
    if (!picture.isNull())
        BMScroll1->SetBitmap(picture);
    BMScroll1->SetSoundFile(soundFile);
}

void TMsgDlg::StopScrolling()
{
    BMScroll1->SetScrollIt(false);
}
