// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ui/app_title.h"
#include "base/zelvaro_error.h"
#include "image/views/image_info_box.h"
#include "image/views/multi_image_view.h"
#include "image/views/photo_cd_view.h"
#include "image/views/picture_image.h"

#include <QAbstractButton>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>

#include <fstream>

namespace {

// A 40 x 20 picture: left half red, right half blue.
DibPicture RedBlue()
{
    DibPicture p;
    p.Allocate(40, 20, 24);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) {
            uint8_t* px = p.TopRow(y) + 3 * x;
            px[0] = x < 20 ? 0 : 255;
            px[2] = x < 20 ? 255 : 0;
        }
    return p;
}

void WriteBytes(const QString& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path.toStdString(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// Saves a rendering where the test run keeps its pictures, for looking at.
void Keep(QWidget& w, const QString& name)
{
    const QString dir = qEnvironmentVariable("ZELVARO_TEST_OUT");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    w.grab().save(dir + "/" + name);
}

}  // namespace

class ImageViewsTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        shown_.clear();
        ImageInfoBox::SetPresenter([this](const QString& caption, const QString& text) {
            shown_.append({caption, text});
        });
    }
    void cleanup() { ImageInfoBox::SetPresenter({}); }

    void boxIsAnInformationBoxWithOneOkButton()
    {
        const auto box = ImageInfoBox::MakeBox("情報", "このJPGは読み込めません", true);
        QCOMPARE(box->windowTitle(), QString("情報"));
        QCOMPARE(box->text(), QString("このJPGは読み込めません"));
        QCOMPARE(box->icon(), QMessageBox::Information);
        QCOMPARE(box->buttons().size(), 1);
        QCOMPARE(box->buttons().first()->text(), QString("OK"));
    }

    void failedReadShowsTheBoxAndMissingFileIsSilent()
    {
        QTemporaryDir dir;
        const QString bad = dir.filePath("bad.gif");
        WriteBytes(bad, std::vector<uint8_t>(64, 7));
        MultiImageView view;
        QVERIFY(!view.SetImageName(bad));
        QCOMPARE(shown_.size(), 1);
        QCOMPARE(shown_[0].first, QString("情報"));
        QCOMPARE(shown_[0].second, QString("このGIFは読み込めません"));
        QVERIFY(!view.SetImageName(dir.filePath("missing.jpg")));
        QCOMPARE(shown_.size(), 1);
        QVERIFY(view.Shown().isNull());
    }

    void pictureTooLargeForTheMemoryLeftIsToldNotACrash()
    {
        // A GIF of one pixel on a screen of 8000 x 8000, made long enough to
        // be taken at its word: its 64 MB picture, and the 256 MB image of
        // it, are more than the address space the test leaves the process.
        QTemporaryDir dir;
        const QString big = dir.filePath("screen.gif");
        // Signature, screen, two colours, a frame of one pixel and its code.
        const std::string start("GIF89a\x40\x1F\x40\x1F\x80\0\0\0\0\0\xFF\xFF\xFF"
                                ",\0\0\0\0\x01\0\x01\0\0\x02\x02\x44\x01\0;",
                                35);
        std::vector<uint8_t> gif(start.begin(), start.end());
        gif.resize(16384);
        WriteBytes(big, gif);
        MultiImageView view;
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        rlimit before{};
        ::getrlimit(RLIMIT_AS, &before);
        const rlim_t room = static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (40u << 20);
        const rlimit limit{room, before.rlim_max};
        ::setrlimit(RLIMIT_AS, &limit);
        const bool read = view.SetImageName(big);
        ::setrlimit(RLIMIT_AS, &before);
        QVERIFY(!read);
        QCOMPARE(shown_.size(), 1);
        QVERIFY2(shown_[0].second.contains("メモリが足りません"), qPrintable(shown_[0].second));
        QVERIFY(view.Shown().isNull());
        // With the memory back, the same file is shown.
        QVERIFY(view.SetImageName(big));
    }

    void viewScalesToFitKeepingProportions()
    {
        MultiImageView view;
        view.resize(100, 100);
        view.SetPicture(RedBlue());
        const QImage shot = view.grab().toImage();
        Keep(view, "multi_image_view.png");
        // 40 x 20 fits 100 x 100 as 100 x 50, centred: bands above and below.
        QCOMPARE(QColor(shot.pixel(10, 50)).red(), 255);
        QCOMPARE(QColor(shot.pixel(90, 50)).blue(), 255);
        QVERIFY(QColor(shot.pixel(50, 10)) != QColor(shot.pixel(10, 50)));
        QVERIFY(QColor(shot.pixel(50, 10)) != QColor(shot.pixel(90, 50)));
    }

    void largePictureIsHeldOnlyAtTheViewsSize()
    {
        // The picker's preview of a large photo keeps a preview-sized copy,
        // not the photo.
        MultiImageView view;
        view.resize(165, 129);
        DibPicture big;
        big.Allocate(4000, 2000, 24);
        view.SetPicture(big);
        const QSize room = (QSizeF(165, 129) * view.devicePixelRatioF()).toSize();
        QCOMPARE(view.Shown().size(), QSize(room.width(), room.width() / 2));
        QVERIFY(view.Engine().Picture().Empty());
        // A small one stays as it is, for the view to scale when it paints.
        view.SetPicture(RedBlue());
        QCOMPARE(view.Shown().size(), QSize(40, 20));
    }

    void photoCdViewSizesItselfAndReportsTheEmptyName()
    {
        QTemporaryDir dir;
        // pcdTiny file: neutral grey everywhere.
        std::vector<uint8_t> file(0x2000, 0);
        for (int n = 0; n < 64; ++n) {
            file.insert(file.end(), 384, 94);
            file.insert(file.end(), 96, 156);
            file.insert(file.end(), 96, 137);
        }
        WriteBytes(dir.filePath("a.pcd"), file);
        PcdView view;
        view.SetPictureSize(pcdTiny);
        view.SetCutOff(true);
        QVERIFY(view.SetPictureName(dir.filePath("a.pcd")));
        QCOMPARE(view.size(), QSize(162, 108));
        Keep(view, "photo_cd_view.png");
        QCOMPARE(view.grab().toImage().pixelColor(80, 50), QColor(128, 128, 128));
        QVERIFY(shown_.isEmpty());

        QVERIFY(!view.SetPictureName(""));
        QCOMPARE(shown_.size(), 1);
        QCOMPARE(shown_[0].first, QString::fromUtf8(kApplicationTitle));
        QCOMPARE(shown_[0].second, QString("PCD:Picture name not set"));
        QVERIFY(view.Shown().isNull());

        WriteBytes(dir.filePath("short.pcd"), std::vector<uint8_t>(100, 1));
        bool raised = false;
        try {
            view.SetPictureName(dir.filePath("short.pcd"));
        } catch (const ZelvaroError&) {
            raised = true;
        }
        QVERIFY(raised);
    }

    void indexedPicturesConvertThroughThePalette()
    {
        DibPicture p;
        p.Allocate(2, 1, 8);
        p.Palette = {{10, 20, 30, 0}};
        p.TopRow(0)[1] = 9;  // past the palette: black
        const QImage image = PictureToImage(p);
        QCOMPARE(image.pixelColor(0, 0), QColor(30, 20, 10));
        QCOMPARE(image.pixelColor(1, 0), QColor(0, 0, 0));
        QVERIFY(PictureToImage(DibPicture{}).isNull());
    }

private:
    QList<QPair<QString, QString>> shown_;
};

QTEST_MAIN(ImageViewsTest)
#include "image_views_test.moc"
