// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/about_dlg.h"

#include "about/about_texts.h"
#include "about/click_label.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

namespace {

const QColor kNavy(0, 0, 128);
const QColor kShadowGrey(128, 128, 128);

QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& place, const QColor& colour)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

QFrame* MakeSeparator(QWidget* parent, const char* name, int y)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(8, y, TfrmAboutDlg::kWidth - 16, 2);
    return line;
}

// The small glyphs of the two flat buttons: an envelope and a globe.
QIcon Glyph(bool envelope)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kNavy, 1));
    if (envelope) {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 3.5, 11, 7));
        p.drawPolyline(QPolygonF({QPointF(1.5, 3.5), QPointF(7, 8), QPointF(12.5, 3.5)}));
    } else {
        p.setBrush(QColor(170, 210, 255));
        p.drawEllipse(QRectF(1.5, 1.5, 11, 11));
        p.drawEllipse(QRectF(4.5, 1.5, 5, 11));
        p.drawLine(QPointF(1.5, 7), QPointF(12.5, 7));
    }
    return QIcon(pixmap);
}

QToolButton* MakeFlatButton(QWidget* parent, const char* name, int y, bool envelope, const QString& hint)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(Glyph(envelope));
    button->setGeometry(12, y, 20, 20);
    button->setToolTip(hint);
    return button;
}

ClickLabel* MakeLine(QWidget* parent, const char* name, int y, const QString& text, const QString& hint)
{
    auto* label = new ClickLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(36, y + 2, TfrmAboutDlg::kWidth - 48, 16);
    label->setText(text);
    label->setToolTip(hint);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kNavy);
    label->setPalette(palette);
    return label;
}

}  // namespace

TfrmAboutDlg::TfrmAboutDlg(const AboutServices& services, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      GoToWeb1(services.browser, services.launcher)
{
    setObjectName(QStringLiteral("frmAboutDlg"));
    setFixedSize(kWidth, kHeight);
    GoToWeb1.Url = kHomePageUrl;
    GoToWeb1.EMail = kContactEMail;
    GoToWeb1.EMailSubject = " ";
    GoToWeb1.BrowserState = TBrowserState::gwNormal;
    BuildControls();
    FormCreate(services);
    // Centred on the screen, wherever the clock stands.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmAboutDlg::BuildControls()
{
    imgIcon = new QLabel(this);
    imgIcon->setObjectName(QStringLiteral("imgIcon"));
    imgIcon->setGeometry(12, 12, 32, 32);

    // The shadow is made first, so the title is drawn over it.
    QFont title = font();
    title.setPixelSize(kTitlePixels);
    title.setBold(true);
    const QRect titlePlace(56, 8, kWidth - 64, 32);
    lblApplicationNameShadow = MakeLabel(this, "lblApplicationNameShadow",
                                         titlePlace.translated(kShadowOffset, kShadowOffset), kShadowGrey);
    lblApplicationName = MakeLabel(this, "lblApplicationName", titlePlace, kNavy);
    lblApplicationNameShadow->setFont(title);
    lblApplicationName->setFont(title);

    lblTargetOS = MakeLabel(this, "lblTargetOS", QRect(56, 44, kWidth - 64, 16), kNavy);
    lblCopyright = MakeLabel(this, "lblCopyright", QRect(12, 68, 190, 32), kNavy);
    lblCopyright->setWordWrap(true);
    lblExtraInformation = MakeLabel(this, "lblExtraInformation", QRect(210, 68, kWidth - 222, 32), kNavy);
    lblExtraInformation->setWordWrap(true);
    QFont bold = font();
    bold.setBold(true);
    lblExtraInformation->setFont(bold);

    Bevel1 = MakeSeparator(this, "Bevel1", 106);
    const QString mailHint = QString::fromUtf8("メールプログラムを起動します");
    const QString webHint = QString::fromUtf8("WEBブラウザを起動します");
    SpeedButton1 = MakeFlatButton(this, "SpeedButton1", 114, true, mailHint);
    Label1 = MakeLine(this, "Label1", 114, QStringLiteral("Email : ") + QString::fromStdString(GoToWeb1.EMail),
                      mailHint);
    RxSpeedButton2 = MakeFlatButton(this, "RxSpeedButton2", 138, false, webHint);
    Label2 = MakeLine(this, "Label2", 138, QStringLiteral("HomePage : ") + QString::fromStdString(GoToWeb1.Url),
                      webHint);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmAboutDlg::SpeedButton1Click);
    connect(Label1, &ClickLabel::clicked, this, &TfrmAboutDlg::SpeedButton1Click);
    connect(RxSpeedButton2, &QToolButton::clicked, this, &TfrmAboutDlg::RxSpeedButton2Click);
    connect(Label2, &ClickLabel::clicked, this, &TfrmAboutDlg::RxSpeedButton2Click);
    Bevel2 = MakeSeparator(this, "Bevel2", 164);

    lblPhysicalMemory = MakeLabel(this, "lblPhysicalMemory", QRect(12, 172, 260, 16), kNavy);
    lblPhMem = MakeLabel(this, "lblPhMem", QRect(272, 172, kWidth - 284, 16), kNavy);
    lblPhMem->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblSystemResources = MakeLabel(this, "lblSystemResources", QRect(12, 190, 260, 16), kNavy);
    lblSysRes = MakeLabel(this, "lblSysRes", QRect(272, 190, kWidth - 284, 16), kNavy);
    lblSysRes->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setGeometry((kWidth - 75) / 2, kHeight - 33, 75, 25);
    btnOk->setDefault(true);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmAboutDlg::FormCreate(const AboutServices& services)
{
    lblPhMem->setText(QString::fromStdString(PhysicalMemoryText(services.facts.Memory().totalPhys)));
    // The free system resources exist only on the Windows 95 family; here the
    // line and its label stay hidden.
    lblSystemResources->hide();
    lblSysRes->hide();
}

void TfrmAboutDlg::SetApplicationName(const QString& name)
{
    lblApplicationName->setText(name);
    lblApplicationNameShadow->setText(name);
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
