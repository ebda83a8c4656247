// SPDX-License-Identifier: GPL-3.0-or-later
// A week of the clock's wallpaper side on a fake clock (no real waiting): the
// rotation every 10 minutes over a directory of good, broken, huge and
// special files, with panic clicks and drops mixed in, through the real image
// readers and converter and a desktop that reads each bitmap back and hands
// out PNG copies. Afterwards: the expected changes, no growth of memory or
// open descriptors after the first day, no temporary files left, and the
// settings file as it was.
#include "../platform/test_bitmap.h"
#include "image/views/image_info_box.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/memory_registry.h"
#include "platform/linux/desktop/desktop_wallpaper_copies.h"
#include "platform/linux/files/disk_profile_file.h"
#include "shell/settings_file.h"
#include "wallpaper/file_drag.h"
#include "wallpaper/image_wall_converter.h"
#include "wallpaper/wallpaper_manager.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

constexpr TDateTime kSecond = 1.0 / 86400;
constexpr TDateTime kTick = 0.45 * kSecond;

// The desktop services' way: the bitmap is read back (the program's own file
// must be whole), a PNG copy is handed out, older copies go.
class CopyingDesktop : public platform::Desktop {
public:
    explicit CopyingDesktop(const std::string& dir) : copies_(dir, platform::DesktopWallpaperCopies::Format::Png) {}
    Result SetWallpaper(const std::string& bmpPath) override
    {
        Result failure = Result::Done;
        const auto copy = copies_.MakeChecked(bmpPath, failure);
        if (!copy)
            return failure;
        copies_.Shown(*copy);
        ++shown;
        return Result::Done;
    }
    std::string Name() const override { return "copies"; }
    int shown = 0;  // a count, so the test itself does not grow

private:
    platform::DesktopWallpaperCopies copies_;
};

long ResidentKiB()
{
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

int OpenDescriptors()
{
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator("/proc/self/fd"))
        ++n;
    return n;
}

std::string ReadAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& p, const std::string& bytes)
{
    std::ofstream(p, std::ios::binary) << bytes;
}

}  // namespace

class SoakTest : public QObject {
    Q_OBJECT

private slots:
    void aWeekOfRotationDropsAndPanicClicks()
    {
        QTemporaryDir temp;
        const fs::path root = temp.path().toStdString();
        const fs::path pics = root / "pics", windows = root / "windows", other = root / "other";
        fs::create_directories(pics);
        fs::create_directories(windows);
        fs::create_directories(other);

        // Good pictures.
        for (int i = 0; i < 3; ++i)
            WriteTestBmp((pics / ("good" + std::to_string(i) + ".bmp")).string(), 64, 48,
                         std::vector<std::uint32_t>(64 * 48, 0x102030u * static_cast<unsigned>(i + 1)));
        QImage jpeg(120, 90, QImage::Format_RGB32);
        jpeg.fill(Qt::darkCyan);
        QVERIFY(jpeg.save(QString::fromStdString((pics / "good.jpg").string()), "JPG"));
        QVERIFY(jpeg.save(QString::fromStdString((other / "dropped.jpg").string()), "JPG"));
        // A huge one, and one whose header claims more than any screen.
        WriteTestBmp((pics / "huge.bmp").string(), 1600, 1200, std::vector<std::uint32_t>(1600 * 1200, 0x336699u));
        std::string claim = ReadAll(pics / "good0.bmp");
        for (const int at : {18, 22})  // 1048576 x 1048576: refused before anything is allocated
            claim.replace(static_cast<std::size_t>(at), 4, std::string("\0\0\x10\0", 4));
        WriteBytes(pics / "claims.bmp", claim);
        // Broken ones.
        WriteBytes(pics / "broken.jpg", std::string(5000, '\x5a'));
        WriteBytes(pics / "empty.gif", "");
        WriteBytes(pics / "cut.bmp", ReadAll(pics / "good1.bmp").substr(0, 100));
        WriteBytes(pics / "zeros.pcd", std::string(8192, '\0'));
        WriteBytes(pics / "text.tif", "not a tiff at all");
        // Special files named like pictures.
        QCOMPARE(::mkfifo((pics / "fifo.pcd").c_str(), 0600), 0);
        QCOMPARE(::mkfifo((pics / "fifo.jpg").c_str(), 0600), 0);
        fs::create_symlink("/dev/zero", pics / "zero.bmp");
        fs::create_directory(pics / "folder.gif");
        const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string sockPath = (pics / "s.gif").string();
        QVERIFY(sockPath.size() < sizeof(address.sun_path));
        sockPath.copy(address.sun_path, sockPath.size());
        QCOMPARE(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);

        // The settings file as the last quit left it.
        ClockSettings settings;
        settings.WallDir1 = pics.string();
        settings.WallChangeSw = true;
        settings.StartWallChangeSw = true;
        settings.WallInterval = 10.0 / kMinutesPerDay;
        settings.PanicWallPaper = (pics / "good.jpg").string();
        const fs::path iniPath = root / "zelvaro.INI";
        platform::DiskProfileFile ini(iniPath.string());
        SaveSettings(ini, settings, 100, 200);
        const std::string iniBefore = ReadAll(iniPath);
        bool chimeArmed = false;
        settings = ClockSettings{};
        LoadSettings(ini, settings, chimeArmed);

        int boxes = 0;
        ImageInfoBox::SetPresenter([&](const QString&, const QString&) { ++boxes; });
        const TDateTime start = EncodeDateTime({2026, 12, 7}, {0, 0});
        platform::FakeClock clock(start);
        CopyingDesktop desktop(windows.string());
        const platform::MemoryRegistry centred;
        const auto converter = MakeImageWallConverter(centred);
        WallpaperManager manager(settings, clock, desktop, *converter, windows.string());
        manager.FormCreate();
        QWidget window;
        TFileDrag drag(&window);
        drag.OnDrop = [&](TFileDrag* sender) { manager.FilesDropped(sender->NameWithPath); };

        // By hand, at fixed moments: panic clicks (a picture, then a FIFO),
        // right clicks that take a step, drops of pictures and special files.
        const std::vector<std::string> drops = {(other / "dropped.jpg").string(), (pics / "fifo.jpg").string(),
                                                (pics / "zero.bmp").string(),     (pics / "s.gif").string(),
                                                (pics / "folder.gif").string(),   (pics / "fifo.pcd").string()};
        int rotationChanges = 0, manualTries = 0, manualChanges = 0;
        long residentAfterDay1 = 0;
        int descriptorsAfterDay1 = 0;
        TDateTime previousChange = 0;
        int gapsOff = 0;

        const long ticks = static_cast<long>(7 * 86400 / 0.45);
        for (long t = 0; t < ticks; ++t) {
            clock.Set(start + static_cast<double>(t) * kTick);
            const int before = desktop.shown;
            manager.WallpaperDueStep(clock.Now());
            if (desktop.shown > before) {
                ++rotationChanges;
                // Each rotation change comes one interval after the last change.
                if (previousChange != 0 &&
                    std::lround((MinuteStart(clock.Now()) - MinuteStart(previousChange)) * kMinutesPerDay) != 10)
                    ++gapsOff;
                previousChange = clock.Now();
            }
            if (residentAfterDay1 == 0 && clock.Now() - start >= 1.0) {
                residentAfterDay1 = ResidentKiB();
                descriptorsAfterDay1 = OpenDescriptors();
            }
            const long second = static_cast<long>(static_cast<double>(t) * 0.45);
            const bool secondStart = static_cast<long>(static_cast<double>(t - 1) * 0.45) != second;
            if (!secondStart || second % 3917 != 0 || second == 0)
                continue;
            // About every 65 minutes, one of the hand actions in turn.
            const int shownBefore = desktop.shown;
            switch (manualTries++ % 4) {
            case 0:
                settings.PanicWallPaper = (manualTries % 8 == 1 ? pics / "good.jpg" : pics / "fifo.jpg").string();
                manager.PanicPressed(Qt::LeftButton);
                manager.PanicClicked();
                manager.PanicReleased();
                settings.PanicWallPaper = (pics / "good.jpg").string();
                break;
            case 1:
                manager.PanicPressed(Qt::RightButton);
                manager.PanicReleased();
                break;
            default:
                drag.DropFiles({QString::fromStdString(drops[static_cast<std::size_t>(manualTries) % drops.size()]),
                                QString::fromStdString((pics / "good0.bmp").string())});
                break;
            }
            QCoreApplication::processEvents();  // the boxes come after the hand action
            if (desktop.shown > shownBefore)
                previousChange = clock.Now();  // the next rotation change is an interval from here
            manualChanges += desktop.shown - shownBefore;
        }
        const long residentAtEnd = ResidentKiB();
        const int descriptorsAtEnd = OpenDescriptors();
        SaveSettings(ini, settings, 100, 200);
        ::close(sock);
        ImageInfoBox::SetPresenter({});

        // A week of 10-minute changes, less the slots the hand actions took.
        qInfo("soak: %d rotation changes, %d by hand (%d hand actions), %d information boxes; "
              "resident %ld KiB after day 1, %ld KiB at the end; descriptors %d and %d",
              rotationChanges, manualChanges, manualTries, boxes, residentAfterDay1, residentAtEnd,
              descriptorsAfterDay1, descriptorsAtEnd);
        QVERIFY(rotationChanges <= 7 * 24 * 6);
        QVERIFY(rotationChanges >= 7 * 24 * 6 - manualChanges - 1);
        QCOMPARE(gapsOff, 0);
        QVERIFY(manualChanges > 0);
        QVERIFY(boxes > 0);  // the broken files were reported, not shown

        QVERIFY(residentAfterDay1 > 0);
        QVERIFY2(residentAtEnd <= residentAfterDay1 + 256, "memory grew after the first day");
        QCOMPARE(descriptorsAtEnd, descriptorsAfterDay1);

        std::vector<std::string> left;
        for (const auto& e : fs::directory_iterator(windows))
            left.push_back(e.path().filename().string());
        std::sort(left.begin(), left.end());
        QCOMPARE(left.size(), std::size_t{2});  // ZelvaroWl.BMP and the one copy shown
        QCOMPARE(left[1], std::string("ZelvaroWl.BMP"));
        QVERIFY(left[0].rfind("ZelvaroWl-", 0) == 0 && fs::path(left[0]).extension() == ".png");
        for (const auto& e : fs::recursive_directory_iterator(root)) {
            const std::string name = e.path().filename().string();
            QVERIFY2(name.find(".part") == std::string::npos && name.find(".~new") == std::string::npos &&
                         name.find(".tmp") == std::string::npos,
                     name.c_str());
        }
        QCOMPARE(ReadAll(iniPath), iniBefore);
    }
};

QTEST_MAIN(SoakTest)
#include "soak_test.moc"
