// SPDX-License-Identifier: GPL-3.0-or-later
// TFileDrag on a real widget: drops fill the three lists and raise OnDrop.
#include "wallpaper/file_drag.h"

#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QTest>
#include <QUrl>

class FileDragTest : public QObject {
    Q_OBJECT

    static bool Drop(QWidget& target, const QList<QUrl>& urls)
    {
        QMimeData mime;
        mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &drop);
        return drop.isAccepted() && enter.isAccepted();
    }

private slots:
    void threeFilesFillEveryListIndexForIndex()
    {
        QWidget window;
        new QLabel(QStringLiteral("12:00 pm"), &window);
        TFileDrag drag(&window);
        int drops = 0;
        QList<int> countsSeen;  // the lists are filled before the event
        drag.OnDrop = [&](TFileDrag* sender) {
            ++drops;
            countsSeen << (sender == &drag ? sender->FileCount : -1);
        };
        QVERIFY(!drag.EnableDrop());
        QVERIFY(!window.acceptDrops());
        drag.SetEnableDrop(true);
        QVERIFY(window.acceptDrops());

        const QString longName = QString(200, QLatin1Char('n')) + QStringLiteral(".bmp");
        QVERIFY(Drop(window, {QUrl::fromLocalFile(QStringLiteral("/A.B/photo.2.jpg")),
                              QUrl::fromLocalFile(QStringLiteral("/pics/") + longName),
                              QUrl::fromLocalFile(QStringLiteral("/pics/README"))}));
        // The drop has ended before the files are taken.
        QCOMPARE(drops, 0);
        QCoreApplication::processEvents();
        QCOMPARE(drops, 1);
        QCOMPARE(drag.FileCount, 3);
        QCOMPARE(drag.NameWithPath, (QStringList{QStringLiteral("/A.B/photo.2.jpg"),
                                                 QStringLiteral("/pics/") + longName, QStringLiteral("/pics/README")}));
        QCOMPARE(drag.NameOnly, (QStringList{QStringLiteral("photo.2.jpg"), longName, QStringLiteral("README")}));
        QCOMPARE(drag.Extension, (QStringList{QStringLiteral("2.jpg"), QStringLiteral("bmp"), QString()}));

        // The next drop replaces the lists.
        QVERIFY(Drop(window, {QUrl::fromLocalFile(QStringLiteral("/x/日本.gif"))}));
        QCoreApplication::processEvents();
        QCOMPARE(drag.FileCount, 1);
        QCOMPARE(drag.NameOnly, QStringList{QStringLiteral("日本.gif")});
        QCOMPARE(drops, 2);
        QCOMPARE(countsSeen, (QList<int>{3, 1}));
    }

    void disabledNonLocalAndNonWidgetOwnersTakeNothing()
    {
        QWidget window;
        TFileDrag drag(&window);
        int drops = 0;
        drag.OnDrop = [&](TFileDrag*) { ++drops; };
        QVERIFY(!Drop(window, {QUrl::fromLocalFile(QStringLiteral("/a.jpg"))}));  // not enabled yet
        drag.SetEnableDrop(true);
        QVERIFY(!Drop(window, {QUrl(QStringLiteral("https://example.org/a.jpg"))}));
        QCoreApplication::processEvents();
        QCOMPARE(drops, 0);
        drag.SetEnableDrop(false);
        QVERIFY(!window.acceptDrops());

        QObject plain;
        TFileDrag inert(&plain);
        inert.SetEnableDrop(true);
        QVERIFY(!inert.EnableDrop());
    }
};

QTEST_MAIN(FileDragTest)
#include "file_drag_test.moc"
