// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper/file_drag.h"

#include "wallpaper/dropped_names.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFile>
#include <QMetaObject>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace {

// The local files of a drop; links to web pages and the like are not files.
QStringList LocalFiles(const QMimeData* mime)
{
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    return paths;
}

}  // namespace

TFileDrag::TFileDrag(QObject* owner) : QObject(owner), window_(qobject_cast<QWidget*>(owner))
{
    if (window_)
        window_->installEventFilter(this);
}

TFileDrag::~TFileDrag()
{
    if (window_) {
        window_->removeEventFilter(this);
        window_->setAcceptDrops(false);
    }
}

void TFileDrag::SetEnableDrop(bool value)
{
    if (!window_)
        return;
    enableDrop_ = value;
    // A child that takes no drops hands them to its parent, so the owner
    // window receives the drops on its controls too.
    window_->setAcceptDrops(value);
}

void TFileDrag::DropFiles(const QStringList& paths)
{
    NameWithPath.clear();
    NameOnly.clear();
    Extension.clear();
    for (const QString& path : paths) {
        const std::string bytes = QFile::encodeName(path).toStdString();
        NameWithPath << path;
        NameOnly << QFile::decodeName(QByteArray::fromStdString(DroppedNameOnly(bytes)));
        Extension << QFile::decodeName(QByteArray::fromStdString(DroppedExtension(bytes)));
    }
    FileCount = static_cast<int>(NameWithPath.size());
    if (OnDrop)
        OnDrop(this);
}

bool TFileDrag::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != window_ || !enableDrop_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (LocalFiles(drag->mimeData()).isEmpty())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList paths = LocalFiles(drop->mimeData());
        if (paths.isEmpty())
            return false;
        // The drop ends at once; the files are taken after it, so the
        // program they were dragged from never waits for a picture to be
        // read or a box to be closed.
        drop->acceptProposedAction();
        QMetaObject::invokeMethod(
            this, [this, paths] { DropFiles(paths); }, Qt::QueuedConnection);
        return true;
    }
    default: return QObject::eventFilter(watched, event);
    }
}
