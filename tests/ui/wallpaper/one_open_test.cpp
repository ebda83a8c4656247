// SPDX-License-Identifier: GPL-3.0-or-later
// One wallpaper change opens its picture once: the applier opens and tells
// the file, and the converter and the component read what it opened. Photo
// CD pictures take the same way.
#include "base/clock_settings.h"
#include "base/date_time.h"
#include "image/formats/bmp/bmp_reader.h"
#include "image/views/image_info_box.h"
#include "open_counter.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_desktop.h"
#include "platform/fake/memory_registry.h"
#include "wallpaper/image_wall_converter.h"
#include "wallpaper/wall_applier.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <string>

namespace {

class QuietHost : public WallApplyHost {
public:
    void BeginBusy() override {}
    void EndBusy() override {}
    void ProcessPendingEvents() override {}
};

}  // namespace

class OneOpenTest : public QObject {
    Q_OBJECT
private slots:
    void eachPictureIsOpenedOnce()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QImage picture(48, 32, QImage::Format_RGB888);
        picture.fill(Qt::darkCyan);
        const std::string png = dir.filePath("p.png").toStdString();
        const std::string bmp = dir.filePath("b.bmp").toStdString();
        QVERIFY(picture.save(QString::fromStdString(png), "PNG"));
        QVERIFY(picture.save(QString::fromStdString(bmp), "BMP"));
        ImageInfoBox::SetPresenter([](const QString&, const QString&) { QFAIL("no box expected"); });

        platform::FakeDesktop desktop;
        const platform::MemoryRegistry registry;
        const auto converter = MakeImageWallConverter(registry);
        platform::FakeClock clock(EncodeDateTime({2026, 12, 10}, {3, 0}));
        QuietHost host;
        ClockSettings settings;
        WallSchedule schedule;
        WallApplier applier(desktop, *converter, clock, host, settings, schedule,
                            dir.filePath("ZelvaroWl.BMP").toStdString());
        // Converted, and a bitmap handed over as it is.
        for (const std::string& file : {png, bmp}) {
            open_counter::Watch(file);
            QCOMPARE(applier.ApplyWallPaper(file), WallApplier::Outcome::Applied);
            QCOMPARE(open_counter::Opens(), 1);
        }
        QCOMPARE(desktop.calls.size(), std::size_t{2});
        QCOMPARE(desktop.calls.back(), bmp);

        // A Photo CD picture: its border trimmed, and with colour reduction
        // on written with 256 colours whatever its depth.
        const std::string pcd = dir.filePath("c.pcd").toStdString();
        {
            // Grey: each row pair two rows of luma 94, then neutral chroma.
            std::ofstream out(pcd, std::ios::binary);
            out << std::string(0x30000, '\xEE');
            for (int pair = 0; pair < 256; ++pair)
                out << std::string(2 * 768, '\x5E') << std::string(384, '\x9C') << std::string(384, '\x89');
        }
        settings.ColorDecSw = true;
        open_counter::Watch(pcd);
        QCOMPARE(applier.ApplyWallPaper(pcd), WallApplier::Outcome::Applied);
        QCOMPARE(open_counter::Opens(), 1);
        const ImageRead written = ReadBmpFile(desktop.calls.back());
        QVERIFY(written.Ok());
        QCOMPARE(written.Picture.Width, 648);
        QCOMPARE(written.Picture.Height, 432);
        QCOMPARE(written.FileBitCount, 8);
    }
};

QTEST_MAIN(OneOpenTest)
#include "one_open_test.moc"
