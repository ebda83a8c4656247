// SPDX-License-Identifier: GPL-3.0-or-later
// The scrolling picture: defaults, the start once built, the timer and the
// sound following ScrollIt, the loop count, the accepted periods, and what
// it paints from its offset.

#include "alarm/bm_scroll.h"
#include "platform/fake/fake_sound.h"

#include <QtTest>

namespace {

// A picture whose row y is painted in the grey value y, so a painted row
// tells which picture row it shows.
QImage RowPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(y, y, 255 - y));
    return image;
}

int RowShown(const QImage& shot, int x, int y)
{
    return qRed(shot.pixel(x, y));
}

}  // namespace

class BMScrollTest : public QObject {
    Q_OBJECT

private slots:
    void defaults()
    {
        platform::FakeSound sound;
        TBMScroll scroll(sound);
        QCOMPARE(scroll.AutoScroll(), true);
        QVERIFY(scroll.Bitmap().isNull());
        QCOMPARE(scroll.BorderStyle(), ScrollBorder::bsSingle);
        QCOMPARE(scroll.ClickScroll(), false);
        QCOMPARE(scroll.ScrollIt(), false);
        QCOMPARE(scroll.ScrollLoops(), 0);
        QCOMPARE(scroll.ScrollStep(), 1);
        QCOMPARE(scroll.ScrollTime(), 50);
        QCOMPARE(scroll.SoundFile(), std::string());
        QCOMPARE(scroll.SoundLoop(), true);
        QCOMPARE(scroll.size(), QSize(80, 80));
        QCOMPARE(scroll.ScrollOffset(), 0);
        QVERIFY(scroll.testAttribute(Qt::WA_OpaquePaintEvent));
        QVERIFY(!scroll.TimerRunning());
    }

    void startsOnceBuiltAndScrollItDrivesTimerAndSound()
    {
        platform::FakeSound sound;
        TBMScroll scroll(sound);
        scroll.BeginLayout();
        scroll.SetSoundFile("/tmp/ring.wav");
        scroll.SetScrollIt(true);
        QVERIFY(!scroll.TimerRunning());  // still being built
        QVERIFY(sound.calls.empty());
        scroll.Loaded();
        QVERIFY(scroll.TimerRunning());
        QCOMPARE(scroll.TimerInterval(), 50);
        QCOMPARE(sound.playing, std::string("/tmp/ring.wav"));
        QVERIFY(sound.looping);

        scroll.SetScrollIt(true);  // no change: nothing happens
        QCOMPARE(sound.calls.size(), size_t(1));
        scroll.SetScrollIt(false);
        QVERIFY(!scroll.TimerRunning());
        QVERIFY(sound.playing.empty());

        scroll.SetSoundLoop(false);
        scroll.SetScrollIt(true);
        QCOMPARE(sound.playing, std::string("/tmp/ring.wav"));
        QVERIFY(!sound.looping);

        // AutoScroll alone starts a built control; neither leaves it still.
        TBMScroll autoStart(sound);
        autoStart.BeginLayout();
        autoStart.Loaded();
        QVERIFY(autoStart.ScrollIt());
        QVERIFY(autoStart.TimerRunning());
        TBMScroll still(sound);
        still.BeginLayout();
        still.SetAutoScroll(false);
        still.Loaded();
        QVERIFY(!still.TimerRunning());
    }

    void soundFileFollowsScrolling()
    {
        platform::FakeSound sound;
        {
            TBMScroll scroll(sound);
            scroll.SetSoundFile("/tmp/a.wav");  // not scrolling: nothing plays
            QVERIFY(sound.calls.empty());
            scroll.SetScrollIt(true);
            QCOMPARE(sound.playing, std::string("/tmp/a.wav"));
            scroll.SetSoundFile("/tmp/b.wav");
            QCOMPARE(sound.playing, std::string("/tmp/b.wav"));
            scroll.SetSoundFile("");
            QVERIFY(sound.playing.empty());
            scroll.SetSoundFile("/tmp/c.wav");
            QCOMPARE(sound.playing, std::string("/tmp/c.wav"));
        }
        // Going away stops the sound.
        QVERIFY(sound.playing.empty());
        QVERIFY(sound.calls.back().file.empty());
    }

    void scrollTimeLimits()
    {
        platform::FakeSound sound;
        TBMScroll scroll(sound);
        scroll.SetScrollTime(5);
        QCOMPARE(scroll.ScrollTime(), 50);
        scroll.SetScrollTime(6000);
        QCOMPARE(scroll.ScrollTime(), 50);
        scroll.SetScrollIt(true);
        scroll.SetScrollTime(10);
        QCOMPARE(scroll.ScrollTime(), 10);
        QVERIFY(scroll.TimerRunning());
        QCOMPARE(scroll.TimerInterval(), 10);
        scroll.SetScrollTime(5000);
        QCOMPARE(scroll.TimerInterval(), 5000);
    }

    void twoLoopsStopByThemselvesWithTheSound()
    {
        platform::FakeSound sound;
        TBMScroll scroll(sound);
        scroll.SetBitmap(RowPicture(80, 100));
        scroll.SetScrollLoops(2);
        scroll.SetSoundFile("/tmp/ring.wav");
        scroll.SetScrollIt(true);
        QCOMPARE(scroll.LoopsLeft(), 2);
        for (int tick = 1; tick < 200; ++tick)
            scroll.ScrollTimerTick();
        QVERIFY(scroll.ScrollIt());
        QCOMPARE(scroll.ScrollOffset(), 99);
        scroll.ScrollTimerTick();
        QVERIFY(!scroll.ScrollIt());
        QVERIFY(!scroll.TimerRunning());
        QCOMPARE(scroll.ScrollOffset(), 0);
        QVERIFY(sound.playing.empty());

        // Without a loop count it never stops by itself.
        scroll.SetScrollLoops(0);
        scroll.SetScrollIt(true);
        for (int tick = 0; tick < 1000; ++tick)
            scroll.ScrollTimerTick();
        QVERIFY(scroll.ScrollIt());
    }

    void emptyPictureTicksAndPaintsWithoutFailing()
    {
        platform::FakeSound sound;
        TBMScroll scroll(sound);
        scroll.SetScrollIt(true);
        scroll.ScrollTimerTick();
        QCOMPARE(scroll.ScrollOffset(), 0);
        QVERIFY(!scroll.grab().isNull());
    }

    void paintsFromTheOffsetAndWrapsOnce()
    {
        platform::FakeSound sound;
        TBMScroll scroll(sound);
        scroll.SetBorderStyle(ScrollBorder::bsNone);
        scroll.resize(40, 120);
        scroll.SetBitmap(RowPicture(40, 180));
        for (int tick = 0; tick < 100; ++tick)
            scroll.ScrollTimerTick();
        QImage shot = scroll.grab().toImage();
        QCOMPARE(RowShown(shot, 5, 0), 100);
        QCOMPARE(RowShown(shot, 5, 79), 179);
        QCOMPARE(RowShown(shot, 5, 80), 0);  // the picture goes on with its first rows
        QCOMPARE(RowShown(shot, 5, 119), 39);

        // A picture shorter than the control: its rows from the offset, then
        // its first rows once; below that the background.
        scroll.SetBitmap(RowPicture(40, 50));
        QCOMPARE(scroll.ScrollOffset(), 0);  // the old row is past the new picture's end
        for (int tick = 0; tick < 30; ++tick)
            scroll.ScrollTimerTick();
        shot = scroll.grab().toImage();
        QCOMPARE(RowShown(shot, 5, 0), 30);
        QCOMPARE(RowShown(shot, 5, 19), 49);
        QCOMPARE(RowShown(shot, 5, 20), 0);
        QCOMPARE(RowShown(shot, 5, 69), 49);
        QCOMPARE(shot.pixel(5, 100), scroll.palette().window().color().rgb());

        // A picture narrower than the control leaves the background beside it.
        scroll.SetBitmap(RowPicture(20, 180));
        shot = scroll.grab().toImage();
        QCOMPARE(shot.pixel(30, 10), scroll.palette().window().color().rgb());
    }

    void scrollingOnScreenMatchesAFullRepaint()
    {
        // The scroll moves the pixels and paints only the uncovered strip:
        // after many ticks the screen must equal a fresh paint.
        platform::FakeSound sound;
        TBMScroll scroll(sound);
        scroll.resize(60, 70);
        scroll.SetBitmap(RowPicture(60, 90));
        scroll.SetScrollStep(3);
        scroll.show();
        QVERIFY(QTest::qWaitForWindowExposed(&scroll));
        for (int tick = 0; tick < 47; ++tick) {
            scroll.ScrollTimerTick();
            QCoreApplication::processEvents();
        }
        QCOMPARE(scroll.ScrollOffset(), (47 * 3) % 90);
        const QImage shot = scroll.grab().toImage();
        // Inside the border, row y shows picture row (offset + y) mod 90.
        for (int y = 1; y < 69; ++y)
            QCOMPARE(RowShown(shot, 30, y), (scroll.ScrollOffset() + y - 1) % 90);
        QCOMPARE(shot.pixel(0, 30), qRgb(0, 0, 0));  // the single border
    }

    void clickTogglesOnlyWhenAsked()
    {
        platform::FakeSound sound;
        TBMScroll scroll(sound);
        QSignalSpy clicks(&scroll, &TBMScroll::Click);
        QTest::mouseClick(&scroll, Qt::LeftButton);
        QVERIFY(!scroll.ScrollIt());
        QCOMPARE(clicks.count(), 1);
        scroll.SetClickScroll(true);
        QTest::mouseClick(&scroll, Qt::LeftButton);
        QVERIFY(scroll.ScrollIt());
        QTest::mouseClick(&scroll, Qt::LeftButton);
        QVERIFY(!scroll.ScrollIt());
        QCOMPARE(clicks.count(), 3);
    }
};

QTEST_MAIN(BMScrollTest)
#include "bm_scroll_test.moc"
