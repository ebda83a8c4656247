// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/about_dlg.h"

#include "about/about_texts.h"
#include "about/click_label.h"
#include "base/ui/accessible_names.h"
#include "base/ui/readable_colour.h"
#include "base/ui/screen_centre.h"

#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QColor kNavy(0, 0, 128);
const QColor kShadowGrey(128, 128, 128);

// A label in its written colour, or the palette's text colour where the
// written one would not read on the palette's window (a dark theme).
QLabel* MakeLabel(QWidget* parent, const char* name, const QColor& colour)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ReadableOn(colour, palette));
    label->setPalette(palette);
    return label;
}

QFrame* MakeSeparator(QWidget* parent, const char* name)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// The small glyphs of the two flat buttons: an envelope and a globe, drawn
// at the screen's pixel ratio so they stay sharp at 2x.
// On a dark palette the strokes take the palette's text colour and the
// fills are left out, so the light strokes stand on the dark ground.
QIcon Glyph(bool envelope, const QPalette& palette, qreal ratio)
{
    const QColor ink = ReadableOn(kNavy, palette);
    const bool filled = ink == kNavy;
    QPixmap pixmap(QSize(14, 14) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ink, 1));
    p.setBrush(Qt::NoBrush);
    if (envelope) {
        if (filled)
            p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 3.5, 11, 7));
        p.drawPolyline(QPolygonF({QPointF(1.5, 3.5), QPointF(7, 8), QPointF(12.5, 3.5)}));
    } else {
        if (filled)
            p.setBrush(QColor(170, 210, 255));
        p.drawEllipse(QRectF(1.5, 1.5, 11, 11));
        p.drawEllipse(QRectF(4.5, 1.5, 5, 11));
        p.drawLine(QPointF(1.5, 7), QPointF(12.5, 7));
    }
    return QIcon(pixmap);
}

QToolButton* MakeFlatButton(QWidget* parent, const char* name, bool envelope, const QString& hint)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);  // reachable from the keyboard, not taken by a click
    button->setIcon(Glyph(envelope, parent->palette(), parent->devicePixelRatioF()));
    button->setFixedSize(20, 20);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    return button;
}

// A launch line: clickable on its text only, not in the empty space after it.
ClickLabel* MakeLine(QWidget* parent, const char* name, const QString& text, const QString& hint)
{
    auto* label = new ClickLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setText(text);
    label->setToolTip(hint);
    label->setAccessibleDescription(hint);
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ReadableOn(kNavy, palette));
    label->setPalette(palette);
    return label;
}

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets, bool stretch = true)
{
    auto* row = new QHBoxLayout;
    for (QWidget* w : widgets)
        row->addWidget(w);
    if (stretch)
        row->addStretch();
    return row;
}

}  // namespace

TfrmAboutDlg::TfrmAboutDlg(const AboutServices& services, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      GoToWeb1(services.browser, services.launcher)
{
    setObjectName(QStringLiteral("frmAboutDlg"));
    setMinimumSize(kWidth, kHeight);
    GoToWeb1.Url = kHomePageUrl;
    GoToWeb1.EMail = kContactEMail;
    GoToWeb1.EMailSubject = " ";
    GoToWeb1.BrowserState = TBrowserState::gwNormal;
    BuildControls();
    FormCreate(services);
    // Screen readers hear the captions without access keys and colons.
    NameControlsForSpeech(this);
}

void TfrmAboutDlg::BuildControls()
{
    imgIcon = new QLabel(this);
    imgIcon->setObjectName(QStringLiteral("imgIcon"));
    imgIcon->setFixedSize(32, 32);

    // The title stands over its shadow, both sized to the name (see
    // SetApplicationName); the shadow is made first, so the title is drawn
    // over it. On a dark palette the shadow darkens instead of greying.
    titleBox_ = new QWidget(this);
    QFont title = font();
    title.setPixelSize(kTitlePixels);
    title.setBold(true);
    lblApplicationNameShadow = MakeLabel(titleBox_, "lblApplicationNameShadow", kShadowGrey);
    QPalette shade = lblApplicationNameShadow->palette();
    const bool dark = Contrast(kShadowGrey, palette().color(QPalette::Window)) < 2.0;
    shade.setColor(QPalette::WindowText, dark ? palette().color(QPalette::Shadow) : kShadowGrey);
    lblApplicationNameShadow->setPalette(shade);
    lblApplicationName = MakeLabel(titleBox_, "lblApplicationName", kNavy);
    lblApplicationNameShadow->setFont(title);
    lblApplicationName->setFont(title);
    lblApplicationNameShadow->move(kShadowOffset, kShadowOffset);

    lblTargetOS = MakeLabel(this, "lblTargetOS", kNavy);
    lblCopyright = MakeLabel(this, "lblCopyright", kNavy);
    lblCopyright->setWordWrap(true);
    lblExtraInformation = MakeLabel(this, "lblExtraInformation", kNavy);
    lblExtraInformation->setWordWrap(true);
    QFont bold = font();
    bold.setBold(true);
    lblExtraInformation->setFont(bold);

    Bevel1 = MakeSeparator(this, "Bevel1");
    const QString mailHint = tr("メールプログラムを起動します");
    const QString webHint = tr("WEBブラウザを起動します");
    SpeedButton1 = MakeFlatButton(this, "SpeedButton1", true, mailHint);
    Label1 = MakeLine(this, "Label1", QStringLiteral("Email : ") + QString::fromStdString(GoToWeb1.EMail), mailHint);
    RxSpeedButton2 = MakeFlatButton(this, "RxSpeedButton2", false, webHint);
    Label2 = MakeLine(this, "Label2", QStringLiteral("HomePage : ") + QString::fromStdString(GoToWeb1.Url), webHint);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmAboutDlg::SpeedButton1Click);
    connect(Label1, &ClickLabel::clicked, this, &TfrmAboutDlg::SpeedButton1Click);
    connect(RxSpeedButton2, &QToolButton::clicked, this, &TfrmAboutDlg::RxSpeedButton2Click);
    connect(Label2, &ClickLabel::clicked, this, &TfrmAboutDlg::RxSpeedButton2Click);
    Bevel2 = MakeSeparator(this, "Bevel2");

    lblPhysicalMemory = MakeLabel(this, "lblPhysicalMemory", kNavy);
    lblPhMem = MakeLabel(this, "lblPhMem", kNavy);
    lblPhMem->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblSystemResources = MakeLabel(this, "lblSystemResources", kNavy);
    lblSysRes = MakeLabel(this, "lblSysRes", kNavy);
    lblSysRes->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    btnOk = new QPushButton(tr("OK"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setMinimumWidth(75);
    btnOk->setDefault(true);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);

    auto* heading = new QVBoxLayout;
    heading->setSpacing(2);
    heading->addWidget(titleBox_);
    heading->addWidget(lblTargetOS);
    auto* top = new QHBoxLayout;
    top->addWidget(imgIcon, 0, Qt::AlignTop);
    top->addSpacing(8);
    top->addLayout(heading, 1);
    auto* credits = new QHBoxLayout;
    credits->addWidget(lblCopyright, 1);
    credits->addWidget(lblExtraInformation, 1);
    auto* memory = new QGridLayout;
    memory->addWidget(lblPhysicalMemory, 0, 0);
    memory->addWidget(lblPhMem, 0, 1);
    memory->addWidget(lblSystemResources, 1, 0);
    memory->addWidget(lblSysRes, 1, 1);
    memory->setColumnStretch(0, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 8);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addLayout(credits);
    layout->addWidget(Bevel1);
    layout->addLayout(Row({SpeedButton1, Label1}));
    layout->addLayout(Row({RxSpeedButton2, Label2}));
    layout->addWidget(Bevel2);
    layout->addLayout(memory);
    layout->addStretch();
    layout->addWidget(btnOk, 0, Qt::AlignHCenter);
}

void TfrmAboutDlg::FormCreate(const AboutServices& services)
{
    lblPhMem->setText(QString::fromStdString(PhysicalMemoryText(services.facts.Memory().totalPhys)));
    // The free system resources are no measure Linux keeps; the
    // line and its label stay hidden.
    lblSystemResources->hide();
    lblSysRes->hide();
}

void TfrmAboutDlg::SetApplicationName(const QString& name)
{
    for (QLabel* label : {lblApplicationName, lblApplicationNameShadow}) {
        label->setText(name);
        label->adjustSize();
    }
    titleBox_->setFixedSize(lblApplicationName->size() + QSize(kShadowOffset, kShadowOffset));
}

void TfrmAboutDlg::showEvent(QShowEvent* event)
{
    // The wrapped copyright lines need the height they take at that width.
    const int width = std::max(kWidth, sizeHint().width());
    const int height = std::max({kHeight, sizeHint().height(), layout()->totalHeightForWidth(width)});
    setFixedSize(width, height);
    // Centred on the primary screen, wherever the clock stands.
    CentreOnScreen(*this, QGuiApplication::primaryScreen());
    QDialog::showEvent(event);
}

void TfrmAboutDlg::SetTexts(const QString& copyright, const QString& extraInfo, const QString& targetOS,
                            const QString& physicalMem, const QString& systemRes)
{
    lblCopyright->setText(copyright);
    lblExtraInformation->setText(extraInfo);
    lblTargetOS->setText(targetOS);
    lblPhysicalMemory->setText(physicalMem);
    lblSystemResources->setText(systemRes);
}

void TfrmAboutDlg::SetIcon(const QPixmap& icon, const QString& hint)
{
    imgIcon->setPixmap(icon);
    imgIcon->setToolTip(hint);
}

void TfrmAboutDlg::SpeedButton1Click()
{
    GoToWeb1.SendMail();
}

void TfrmAboutDlg::RxSpeedButton2Click()
{
    GoToWeb1.OpenUrl();
}

void TfrmAboutDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        btnOk->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
