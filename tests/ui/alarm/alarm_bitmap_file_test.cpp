// SPDX-License-Identifier: GPL-3.0-or-later
// The user's alarm picture: read through the project's BMP reader at every
// depth, and refused with the right message when missing, broken or lying
// about its size; the alarm then shows the error box instead of the notice.

#include "alarm/alarm_bitmap_file.h"
#include "alarm/alarm_commands.h"
#include "alarm/alarm_notice.h"
#include "base/ui/error_handler.h"
#include "base/zelvaro_error.h"
#include "image/formats/bmp/bmp_writer.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_help.h"
#include "platform/fake/fake_sound.h"
#include "tests/ui/control.h"

#include <QAction>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

namespace {

void WriteBytes(const QString& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path.toStdString(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A picture whose pixel (x, y) has palette index or colour derived from x and y.
DibPicture MakePicture(int width, int height, int bitCount)
{
    DibPicture picture;
    if (!picture.Allocate(width, height, bitCount))
        qFatal("cannot allocate");
    if (bitCount <= 8) {
        for (int i = 0; i < (1 << bitCount); ++i)
            picture.Palette.push_back(
                {static_cast<uint8_t>(i * 3), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i), 0});
    }
    const int colours = bitCount <= 8 ? 1 << bitCount : 256;
    for (int y = 0; y < height; ++y) {
        uint8_t* row = picture.TopRow(y);
        for (int x = 0; x < width; ++x) {
            const int v = (x + 2 * y) % colours;
            switch (bitCount) {
            case 24:
                row[3 * x] = static_cast<uint8_t>(v);
                row[3 * x + 1] = static_cast<uint8_t>(x * 10);
                row[3 * x + 2] = static_cast<uint8_t>(y * 10);
                break;
            case 8: row[x] = static_cast<uint8_t>(v); break;
            case 4: row[x / 2] |= static_cast<uint8_t>(v << (x % 2 == 0 ? 4 : 0)); break;
            case 1: row[x / 8] |= static_cast<uint8_t>(v << (7 - x % 8)); break;
            }
        }
    }
    return picture;
}

std::string Message(const std::string& path)
{
    try {
        LoadAlarmBitmap(path);
    } catch (const ZelvaroError& e) {
        return e.what();
    }
    return "loaded";
}

}  // namespace

class AlarmBitmapFileTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

private slots:
    void readsEveryDepthPixelForPixel()
    {
        for (int bitCount : {1, 4, 8, 24}) {
            const DibPicture picture = MakePicture(13, 7, bitCount);
            const QString path = Path("depth.bmp");
            WriteBytes(path, EncodeBmp(picture));
            const QImage image = LoadAlarmBitmap(path.toStdString());
            QCOMPARE(image.size(), QSize(13, 7));
            for (int y = 0; y < 7; ++y)
                for (int x = 0; x < 13; ++x) {
                    const RgbQuad want = picture.PixelAt(x, y);
                    QCOMPARE(image.pixel(x, y), qRgb(want.Red, want.Green, want.Blue));
                }
        }
    }

    void refusesWithTheTwoMessages()
    {
        const std::string missing = Path("missing.bmp").toStdString();
        QCOMPARE(Message(missing), "ﾌｧｲﾙ " + missing + " は開けません");
        QCOMPARE(Message(dir.path().toStdString()), "ﾌｧｲﾙ " + dir.path().toStdString() + " は開けません");

        WriteBytes(Path("text.bmp"), {'h', 'e', 'l', 'l', 'o'});
        QCOMPARE(Message(Path("text.bmp").toStdString()), std::string("ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞが不正です"));
        WriteBytes(Path("empty.bmp"), {});
        QCOMPARE(Message(Path("empty.bmp").toStdString()), std::string("ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞが不正です"));

        // A header that claims 60000 x 60000 over a few bytes is refused
        // before anything of that size is allocated.
        std::vector<uint8_t> lying = EncodeBmp(MakePicture(4, 4, 24));
        const auto put32 = [&](size_t at, uint32_t v) {
            for (int i = 0; i < 4; ++i)
                lying[at + i] = static_cast<uint8_t>(v >> (8 * i));
        };
        put32(18, 60000);
        put32(22, 60000);
        WriteBytes(Path("lying.bmp"), lying);
        QCOMPARE(Message(Path("lying.bmp").toStdString()), std::string("ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞが不正です"));

        // Cut short inside its pixels.
        std::vector<uint8_t> cut = EncodeBmp(MakePicture(40, 40, 8));
        cut.resize(cut.size() / 2);
        WriteBytes(Path("cut.bmp"), cut);
        QCOMPARE(Message(Path("cut.bmp").toStdString()), std::string("ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞが不正です"));
    }

    void theNoticeShowsTheUsersPictureOrTheErrorBoxShowsWhy()
    {
        platform::FakeClock clock(EncodeDate(2026, 12, 7) + EncodeTime(6, 30, 2));
        platform::FakeSound sound;
        platform::FakeHelp help;
        ClockSettings settings;
        TAlarm alarm(clock);
        QWidget shape;
        QAction off(QStringLiteral("ｱﾗｰﾑ停止"));
        off.setCheckable(true);
        off.setChecked(true);
        AlarmCommands commands(alarm, shape, off, settings, sound, clock, help);
        alarm.SetHour(6);
        alarm.SetMinute(30);
        QSize shown;
        int notices = 0;
        commands.SetModalRunner([&](QDialog& dialog) {
            ++notices;
            shown = Control<TBMScroll>(dialog, "BMScroll1")->Bitmap().size();
            return int(QDialog::Accepted);
        });
        QStringList errors;
        ErrorHandler::SetPresenter([&](const QString&, const QString& text) { errors << text; });

        WriteBytes(Path("own.bmp"), EncodeBmp(MakePicture(50, 300, 8)));
        settings.AlarmBmpSw = true;
        settings.AlarmBmp = Path("own.bmp").toStdString();
        commands.pmnuAlarmOffClick();
        alarm.CheckAlarmTime();
        QCOMPARE(notices, 1);
        QCOMPARE(shown, QSize(50, 300));

        WriteBytes(Path("broken.bmp"), {'B', 'M', 1, 2, 3});
        settings.AlarmBmp = Path("broken.bmp").toStdString();
        commands.pmnuAlarmOffClick();
        alarm.CheckAlarmTime();
        QCOMPARE(notices, 1);
        QCOMPARE(errors, QStringList{QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞが不正です.")});
        QVERIFY(!alarm.Enabled());
        QVERIFY(off.isChecked());
        QVERIFY(shape.isHidden());
        ErrorHandler::SetPresenter({});
    }
};

QTEST_MAIN(AlarmBitmapFileTest)
#include "alarm_bitmap_file_test.moc"
