// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/help_window.h"

#include "shell/help_topics.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QUrl>
#include <QWindow>

#include <algorithm>

namespace {

QString Page(const QString& body)
{
    return QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>") + body +
           QStringLiteral("</body></html>");
}

}  // namespace

HelpWindow::HelpWindow(std::string helpFile, const platform::FileReader& files, QWidget* parent)
    : QTextBrowser(parent), helpFile_(std::move(helpFile)), files_(files)
{
    setWindowTitle(tr("Zelvaro ヘルプ"));
    setWindowFlag(Qt::Window);
    setOpenLinks(false);
    resize(520, 420);
    BuildButtonRow();
    connect(this, &QTextBrowser::anchorClicked, this, &HelpWindow::FollowLink);
    // Watches modal windows come and go (see eventFilter).
    qApp->installEventFilter(this);
}

void HelpWindow::BuildButtonRow()
{
    buttonRow_ = new QWidget(this);
    auto* row = new QHBoxLayout(buttonRow_);
    row->setContentsMargins(4, 4, 4, 4);
    back_ = new QPushButton(tr("戻る"), buttonRow_);
    back_->setObjectName(QStringLiteral("helpBack"));
    back_->setAccessibleName(tr("戻る"));
    back_->setToolTip(tr("前に見ていた項目に戻ります (Alt+←)"));
    auto* contents = new QPushButton(tr("目次"), buttonRow_);
    contents->setObjectName(QStringLiteral("helpContents"));
    contents->setAccessibleName(tr("目次"));
    contents->setToolTip(tr("目次を表示します (Alt+Home)"));
    for (QPushButton* button : {back_, contents}) {
        button->setAutoDefault(true);  // Return presses the button that has the focus
        row->addWidget(button);
    }
    row->addStretch();
    back_->setEnabled(false);
    connect(back_, &QPushButton::clicked, this, &HelpWindow::GoBack);
    connect(contents, &QPushButton::clicked, this, &HelpWindow::ShowContents);
    // Their keys work wherever the focus is in the window, a button included.
    connect(new QShortcut(QKeySequence::Back, this), &QShortcut::activated, this, &HelpWindow::GoBack);
    connect(new QShortcut(QKeySequence(Qt::AltModifier | Qt::Key_Home), this), &QShortcut::activated, this,
            &HelpWindow::ShowContents);
    // The text scrolls below the row and has the focus when the window opens;
    // Tab leaves its last link for the buttons.
    setViewportMargins(0, buttonRow_->sizeHint().height(), 0, 0);
    setFocus();
}

void HelpWindow::resizeEvent(QResizeEvent* event)
{
    QTextBrowser::resizeEvent(event);
    // As wide as its buttons, so it never covers the scroll bar beside it.
    const int frame = frameWidth();
    buttonRow_->setGeometry(QRect(QPoint(frame, frame), buttonRow_->sizeHint()));
}

void HelpWindow::GoBack()
{
    if (history_.empty())
        return;
    const int previous = history_.back();
    history_.pop_back();
    Show(previous);
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event)
{
    // A modal window blocks every window of the program except those it owns.
    // The help window is made a dependant of the modal window on top whenever
    // one shows, and of the next one (or none) when it hides.
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show || type == QEvent::Hide) && watched->isWidgetType() && watched != this) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && widget->isModal())
            StayUsableBeside(type == QEvent::Show ? widget : QApplication::activeModalWidget());
    }
    return QTextBrowser::eventFilter(watched, event);
}

void HelpWindow::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) ||
        event->matches(QKeySequence::Close)) {
        close();
        return;
    }
    if (event->key() == Qt::Key_Backspace && event->modifiers() == Qt::NoModifier) {
        GoBack();
        return;
    }
    QTextBrowser::keyPressEvent(event);
}

void HelpWindow::StayUsableBeside(QWidget* modal)
{
    if (!windowHandle())
        create();
    // Only the program's own modality looks at this: the help window is a
    // normal top-level window, so the window manager sees no change.
    windowHandle()->setTransientParent(modal && modal != this ? modal->windowHandle() : nullptr);
}

void HelpWindow::ShowContents()
{
    ShowContext(kHelpContents);
}

void HelpWindow::ShowContext(int context)
{
    if (current_ >= 0 && current_ != context)
        history_.push_back(current_);
    Show(context);
}

void HelpWindow::Show(int context)
{
    std::string document;
    QString body;
    if (!files_.ReadWhole(helpFile_, document)) {
        body = tr("<p>ヘルプファイル %1 を開けません。</p>").arg(QString::fromStdString(helpFile_).toHtmlEscaped());
    } else if (const auto topic = HelpTopic(document, context)) {
        body = QString::fromStdString(*topic);
    } else {
        body = tr("<p>このヘルプ項目 (%1) はありません。</p><p><a href=\"#ctx-0\">目次</a></p>").arg(context);
    }
    current_ = context;
    back_->setEnabled(!history_.empty());
    setHtml(Page(body));
    // Shown over the dialog that asked: the window manager learns of the
    // dialog as the help's owner only when the help is mapped, so an already
    // open help window is mapped again under its new owner.
    QWindow* owner = windowHandle() ? windowHandle()->transientParent() : nullptr;
    if (isVisible() && owner != mappedOwner_)
        hide();
    mappedOwner_ = owner;
    if (!isVisible())
        KeepOnScreen();
    show();
    raise();
    activateWindow();
}

void HelpWindow::KeepOnScreen()
{
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!shown)
        return;
    const QRect area = shown->availableGeometry();
    // The frame the window manager adds is not known before the first show:
    // room for a title bar is kept below the top.
    constexpr int kTitleRoom = 32;
    const QSize size = this->size().boundedTo(area.size() - QSize(0, kTitleRoom));
    resize(size);
    // A window that never had a place is placed by the window manager, on screen.
    if (!testAttribute(Qt::WA_Moved))
        return;
    const int left = std::clamp(x(), area.left(), area.right() + 1 - size.width());
    const int top = std::clamp(y(), area.top() + kTitleRoom, area.bottom() + 1 - size.height());
    move(left, top);
}

void HelpWindow::Quit()
{
    close();
}

void HelpWindow::FollowLink(const QUrl& link)
{
    const QString fragment = link.fragment();
    bool ok = false;
    const int context = fragment.startsWith(QStringLiteral("ctx-")) ? fragment.mid(4).toInt(&ok) : 0;
    if (ok)
        ShowContext(context);
}
