#include "shell/help_window.h"

#include "platform/linux/disk_profile_file.h"
#include "shell/help_topics.h"

#include <QUrl>

namespace {

QString Page(const QString& body)
{
    return QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>") + body +
           QStringLiteral("</body></html>");
}

}  // namespace

HelpWindow::HelpWindow(std::string helpFile, QWidget* parent)
    : QTextBrowser(parent), helpFile_(std::move(helpFile))
{
    setWindowTitle(QString::fromUtf8("Zelvaro ヘルプ"));
    setWindowFlag(Qt::Window);
    setOpenLinks(false);
    resize(520, 420);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpWindow::FollowLink);
}

void HelpWindow::ShowContents()
{
    ShowContext(kHelpContents);
}

void HelpWindow::ShowContext(int context)
{
    std::string document;
    QString body;
    if (!platform::ReadWholeFile(helpFile_, document)) {
        body = QString::fromUtf8("<p>ヘルプファイル %1 を開けません。</p>")
                   .arg(QString::fromStdString(helpFile_).toHtmlEscaped());
    } else if (const auto topic = HelpTopic(document, context)) {
        body = QString::fromStdString(*topic);
    } else {
        body = QString::fromUtf8("<p>このヘルプ項目 (%1) はありません。</p><p><a href=\"#ctx-0\">目次</a></p>")
                   .arg(context);
    }
    current_ = context;
    setHtml(Page(body));
    show();
    raise();
    activateWindow();
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
