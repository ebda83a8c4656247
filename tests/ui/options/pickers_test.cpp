// SPDX-License-Identifier: GPL-3.0-or-later
// The image and sound pickers: lists, patterns, results, the current
// directory they leave behind, the preview and the sound test.

#include "base/ui/error_handler.h"
#include "base/ui/path_text.h"
#include "base/zelvaro_error.h"
#include "image/views/image_info_box.h"
#include "image/views/multi_image_view.h"
#include "options/answer_within.h"
#include "options/file_types.h"
#include "options/open_bmp.h"
#include "options/open_wav.h"
#include "platform/fake/fake_sound.h"
#include "platform/linux/system/malloc_process_memory.h"
#include "tests/ui/control.h"
#include "tests/ui/options/modal_driver.h"
#include "tests/ui/platform/test_bitmap.h"
#include "tests/unit/image/heif_grid.h"
#include "tests/unit/image/modern_fixtures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace {

QListWidgetItem* Item(QListWidget* list, const QString& text)
{
    const auto found = list->findItems(text, Qt::MatchEndsWith);
    return found.isEmpty() ? nullptr : found.first();
}

QStringList Texts(QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text().trimmed();
    return texts;
}

void Click(QListWidget* list, const QString& text)
{
    QListWidgetItem* item = Item(list, text);
    QVERIFY2(item, qPrintable(text));
    list->setCurrentItem(item);
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A HEIC grid of 32 x 32 tiles of 256 x 256 pixels (64 megapixels), every
// tile the same: a few kilobytes that take seconds to decode and some
// hundreds of megabytes.
void WriteTileGrid(const std::string& path)
{
    constexpr int kSide = 256, kTiles = 32;
    std::vector<uint8_t> rgb;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            rgb.insert(rgb.end(), {static_cast<uint8_t>(x), static_cast<uint8_t>(y), 128});
    const fixtures::Tile tile = fixtures::TileOf(fixtures::EncodeHeif(rgb, kSide, kSide, false));
    const std::vector<uint8_t> file = fixtures::GridHeic(tile, kSide, {kTiles, kTiles, kTiles * kSide, kTiles * kSide});
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

// The program's resident memory in megabytes.
double ResidentMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / (1 << 20);
}

}  // namespace

class PickersTest : public QObject {
    Q_OBJECT

    QTemporaryDir root;
    QString dir;
    platform::FakeSound sound;
    QStringList errors;

private slots:
    void initTestCase()
    {
        QVERIFY(root.isValid());
        dir = root.path() + QStringLiteral("/Pictures");
        QDir().mkpath(dir + QStringLiteral("/Summer"));
        WriteTestBmp((dir + QStringLiteral("/photo.bmp")).toStdString(), 4, 2, std::vector<std::uint32_t>(8, 0xff0000));
        WriteTestBmp((dir + QStringLiteral("/WIDE.BMP")).toStdString(), 8, 2, std::vector<std::uint32_t>(16, 0x00ff00));
        for (const char* name : {"sunset.Jpg", "broken.pcd", "notes.txt", "chime.wav", "BELL.WAV", "mute.wav"})
            std::ofstream((dir + QStringLiteral("/") + QString::fromLatin1(name)).toStdString()) << "not really";
        ErrorHandler::SetPresenter([this](const QString&, const QString& text) { errors << text; });
    }
    void init()
    {
        QVERIFY(QDir::setCurrent(dir));
        errors.clear();
        sound.calls.clear();
    }
    void cleanupTestCase() { ErrorHandler::SetPresenter({}); }

    void imagePickerListsByPatternWithoutRegardToCase()
    {
        TfrmOpenBmp picker("");
        QCOMPARE(picker.windowTitle(), QStringLiteral("画像ﾌｧｲﾙの選択"));
        QCOMPARE(Control<QLineEdit>(picker, "edtFileList")->text(), QStringLiteral("*.BMP"));
        QCOMPARE(Control<QCheckBox>(picker, "chkPreView")->text(), QStringLiteral(" ﾌﾟﾚﾋﾞｭｰ"));
        QVERIFY(Control<QCheckBox>(picker, "chkPreView")->isChecked());
        QCOMPARE(Control<MultiImageView>(picker, "PMImage")->size(), QSize(165, 129));
        QCOMPARE(Texts(Control<QListWidget>(picker, "FileList")), (QStringList{"WIDE.BMP", "photo.bmp"}));
        QCOMPARE(Control<QComboBox>(picker, "FilterCombo")->itemText(1), QStringLiteral("画像ファイル"));

        picker.SetFileTypes(ImageFileTypes());
        QCOMPARE(Control<QComboBox>(picker, "FilterCombo")->count(), 2);
        QCOMPARE(Control<QComboBox>(picker, "FilterCombo")->itemText(1), QStringLiteral("画像ﾌｧｲﾙ"));
        Control<QComboBox>(picker, "FilterCombo")->setCurrentIndex(1);
        emit Control<QComboBox>(picker, "FilterCombo")->activated(1);
        QCOMPARE(Texts(Control<QListWidget>(picker, "FileList")),
                 (QStringList{"WIDE.BMP", "broken.pcd", "photo.bmp", "sunset.Jpg"}));
        // The long pattern reads from its start, not scrolled to its tail.
        auto* pattern = picker.findChild<QLineEdit*>(QStringLiteral("edtFileList"));
        QVERIFY(pattern->text().startsWith(QStringLiteral("*.BMP;*.JPG;*.GIF;*.PCD;*.TIF;")));
        QCOMPARE(pattern->cursorPosition(), 0);
        QCOMPARE(picker.Directory(), dir.toStdString());
        QVERIFY(picker.FileName().empty());
        Click(Control<QListWidget>(picker, "FileList"), QStringLiteral("photo.bmp"));
        QCOMPARE(picker.FileName(), (dir + QStringLiteral("/photo.bmp")).toStdString());
        QCOMPARE(Control<QLineEdit>(picker, "edtFileList")->text(), QStringLiteral("photo.bmp"));
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        SaveShot(picker, QStringLiteral("picker_image"));
    }

    void directoryChangesStayAfterCancel()
    {
        {
            TfrmOpenBmp picker("");
            Click(Control<QListWidget>(picker, "DirList"), QStringLiteral("Summer"));
            emit Control<QListWidget>(picker, "DirList")
                ->itemActivated(Control<QListWidget>(picker, "DirList")->currentItem());
            QCOMPARE(picker.Directory(), (dir + QStringLiteral("/Summer")).toStdString());
            QVERIFY(Control<QListWidget>(picker, "FileList")->count() == 0);
            picker.reject();
        }
        QCOMPARE(QDir::currentPath(), dir + QStringLiteral("/Summer"));
        TfrmOpenWav next(sound, "");
        QCOMPARE(next.Directory(), (dir + QStringLiteral("/Summer")).toStdString());
        // Up again through the tree's entry for the parent.
        Click(Control<QListWidget>(next, "DirList"), QStringLiteral("Pictures"));
        emit Control<QListWidget>(next, "DirList")->itemActivated(Control<QListWidget>(next, "DirList")->currentItem());
        QCOMPARE(QDir::currentPath(), dir);
    }

    void keyboardOpensFoldersAndFollowsTypedNames()
    {
        TfrmOpenBmp picker("");
        picker.SetFileTypes(ImageFileTypes());
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        auto* folders = Control<QListWidget>(picker, "DirList");
        auto* name = Control<QLineEdit>(picker, "edtFileList");
        // Return on a folder opens it; the picker stays open.
        Click(folders, QStringLiteral("Summer"));
        QTest::keyClick(folders, Qt::Key_Return);
        QCOMPARE(picker.Directory(), (dir + QStringLiteral("/Summer")).toStdString());
        QVERIFY(picker.isVisible());
        // Typed into the name field and confirmed with Return: a folder, a
        // pattern, a missing file (told, named), a file that is no picture
        // (told, named) and a picture without a picture's name (chosen: its
        // bytes are a bitmap's).
        const QString plain = dir + QStringLiteral("/bitmap-without-extension");
        QFile::remove(plain);
        QVERIFY(QFile::copy(dir + QStringLiteral("/photo.bmp"), plain));
        struct Step {
            QString typed;
            QString directory;
            QStringList files;  // empty: not looked at
            bool closes;
        };
        const std::vector<Step> steps = {
            {QStringLiteral(".."), dir, {}, false},
            {QStringLiteral("*.jpg"), dir, {QStringLiteral("sunset.Jpg")}, false},
            {QStringLiteral("Summer/../*.BMP"), dir, {QStringLiteral("WIDE.BMP"), QStringLiteral("photo.bmp")}, false},
            {QStringLiteral("nowhere.bmp"), dir, {}, false},
            {QStringLiteral("notes.txt"), dir, {}, false},
            {QStringLiteral("bitmap-without-extension"), dir, {}, true},
        };
        for (const Step& step : steps) {
            name->setFocus();
            name->selectAll();
            QTest::keyClicks(name, step.typed);
            QTest::keyClick(name, Qt::Key_Return);
            QCOMPARE(QString::fromStdString(picker.Directory()), step.directory);
            if (!step.files.isEmpty())
                QCOMPARE(Texts(Control<QListWidget>(picker, "FileList")), step.files);
            QCOMPARE(picker.isVisible(), !step.closes);
        }
        QCOMPARE(errors.size(), 2);
        QVERIFY(errors.first().contains(dir + QStringLiteral("/nowhere.bmp")));
        QVERIFY2(
            errors.last().startsWith(QStringLiteral("ﾌｧｲﾙ ") + dir + QStringLiteral("/notes.txt は画像ではありません")),
            qPrintable(errors.last()));
        QCOMPARE(picker.result(), int(QDialog::Accepted));
        QCOMPARE(picker.FileName(), plain.toStdString());
        QFile::remove(plain);
    }

    void folderChoiceStartsInTheNameFieldAndTakesATypedFolder()
    {
        const QString trip = root.path() + QStringLiteral("/Trip");
        QDir().mkpath(trip);
        for (const char* file : {"a.jpg", "b.JPG", "c.gif", "notes.txt"})
            std::ofstream((trip + QStringLiteral("/") + QString::fromLatin1(file)).toStdString()) << "x";
        TfrmOpenBmp picker("");
        picker.SetFileTypes(ImageFileTypes());
        picker.ChooseFolder();
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        auto* name = Control<QLineEdit>(picker, "edtFileList");
        auto* hint = Control<QLabel>(picker, "lblOtherTypes");
        QCOMPARE(picker.focusWidget(), name);
        QVERIFY(Control<QPushButton>(picker, "btnHome")->isEnabled());
        QVERIFY(Control<QPushButton>(picker, "btnPictures"));
        QVERIFY(!hint->isVisible());  // this folder has bitmaps
        // Typed at once (the pattern shown is replaced), Return opens the folder.
        QTest::keyClicks(name, trip);
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(QString::fromStdString(picker.Directory()), trip);
        QVERIFY(picker.isVisible());
        // No bitmap here: the line under the lists counts the other entry's pictures.
        QVERIFY(hint->isVisible());
        QVERIFY2(hint->text().contains(QStringLiteral("画像ﾌｧｲﾙ")) && hint->text().contains(QStringLiteral(" 3 ")),
                 qPrintable(hint->text()));
        SaveShot(picker, QStringLiteral("picker_folder"));
        auto* types = Control<QComboBox>(picker, "FilterCombo");
        types->setCurrentIndex(1);
        emit types->activated(1);
        QVERIFY(!hint->isVisible());
        // "~" is the home folder; Return with nothing typed chooses the folder shown.
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("~"));
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(QString::fromStdString(picker.Directory()), QDir(QDir::homePath()).canonicalPath());
        name->selectAll();
        QTest::keyClicks(name, trip);
        QTest::keyClick(name, Qt::Key_Return);
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(picker.result(), int(QDialog::Accepted));
        QCOMPARE(QString::fromStdString(picker.Directory()), trip);
    }

    void pickerOpensNearTheCurrentValue()
    {
        struct Case {
            QString current;
            QString home;
            QString expected;
        };
        const QString summer = dir + QStringLiteral("/Summer");
        const std::vector<Case> cases = {
            {summer, root.path(), summer},
            {summer + QStringLiteral("/gone.bmp"), root.path(), summer},
            {QString(), root.path(), dir},                          // the pictures folder under home
            {QStringLiteral("/no/such/file.bmp"), summer, summer},  // no pictures folder there: home
        };
        const QByteArray home = qgetenv("HOME");
        const QByteArray config = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", (root.path() + QStringLiteral("/config")).toUtf8());
        for (const Case& c : cases) {
            qputenv("HOME", c.home.toUtf8());
            QVERIFY(QDir::setCurrent(dir + QStringLiteral("/..")));
            TfrmOpenBmp picker("");
            picker.OpenNear(c.current.toStdString(), QStandardPaths::PicturesLocation);
            QCOMPARE(QString::fromStdString(picker.Directory()), c.expected);
        }
        qputenv("HOME", home);
        qputenv("XDG_CONFIG_HOME", config);
    }

    void previewFollowsTheCheckBoxAndAlwaysEndsTheBusyCursor()
    {
        TfrmOpenBmp picker("");
        picker.SetFileTypes(ImageFileTypes());
        Control<QComboBox>(picker, "FilterCombo")->setCurrentIndex(1);
        emit Control<QComboBox>(picker, "FilterCombo")->activated(1);

        Control<QCheckBox>(picker, "chkPreView")->setChecked(false);
        Click(Control<QListWidget>(picker, "FileList"), QStringLiteral("WIDE.BMP"));
        QVERIFY(Control<MultiImageView>(picker, "PMImage")->Shown().isNull());
        QTest::mouseClick(Control<QCheckBox>(picker, "chkPreView"), Qt::LeftButton);
        QCOMPARE(Control<MultiImageView>(picker, "PMImage")->Shown().size(), QSize(8, 2));
        QTest::mouseClick(Control<QCheckBox>(picker, "chkPreView"), Qt::LeftButton);
        QVERIFY(Control<MultiImageView>(picker, "PMImage")->Shown().isNull());

        // A damaged Photo CD file and a damaged JPEG: no message of the
        // picker's own (the JPEG's box is the image component's), no cursor left.
        QStringList boxes;
        bool previewClearedBeforeTheBox = false;
        ImageInfoBox::SetPresenter([&](const QString& caption, const QString& text) {
            boxes << caption + ":" + text;
            previewClearedBeforeTheBox = Control<MultiImageView>(picker, "PMImage")->Shown().isNull();
        });
        Control<QCheckBox>(picker, "chkPreView")->setChecked(true);
        Click(Control<QListWidget>(picker, "FileList"), QStringLiteral("broken.pcd"));
        QVERIFY(Control<MultiImageView>(picker, "PMImage")->Shown().isNull());
        QVERIFY(boxes.isEmpty());
        Click(Control<QListWidget>(picker, "FileList"), QStringLiteral("WIDE.BMP"));
        QVERIFY(!Control<MultiImageView>(picker, "PMImage")->Shown().isNull());
        Click(Control<QListWidget>(picker, "FileList"), QStringLiteral("sunset.Jpg"));
        ImageInfoBox::SetPresenter({});
        QCOMPARE(boxes, QStringList{"情報:このJPGは読み込めません"});
        QVERIFY(previewClearedBeforeTheBox);
        QVERIFY(errors.isEmpty());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // A preview still being read stops within a second of Escape or the
    // window's close button, shows nothing, and the picker closes.
    void previewReadStopsAtEscapeAndClose()
    {
        WriteTileGrid((dir + QStringLiteral("/grid.heic")).toStdString());
        QStringList boxes;
        ImageInfoBox::SetPresenter([&](const QString&, const QString& text) { boxes << text; });
        for (const bool escape : {true, false}) {
            TfrmOpenBmp picker("");
            picker.SetFileTypes(ImageFileTypes());
            Control<QComboBox>(picker, "FilterCombo")->setCurrentIndex(1);
            emit Control<QComboBox>(picker, "FilterCombo")->activated(1);
            picker.show();
            QVERIFY(QTest::qWaitForWindowExposed(&picker));
            QElapsedTimer timer;
            qint64 askedAt = -1;
            QTimer::singleShot(500, &picker, [&] {
                askedAt = timer.elapsed();
                if (escape)
                    QTest::keyClick(&picker, Qt::Key_Escape);
                else
                    picker.close();
            });
            timer.start();
            Click(Control<QListWidget>(picker, "FileList"), QStringLiteral("grid.heic"));
            const qint64 stoppedAt = timer.elapsed();
            QVERIFY(askedAt >= 0);
            QVERIFY2(stoppedAt - askedAt < 1000, qPrintable(QString::number(stoppedAt - askedAt)));
            QTRY_VERIFY(!picker.isVisible());
            QVERIFY(Control<MultiImageView>(picker, "PMImage")->Shown().isNull());
        }
        ImageInfoBox::SetPresenter({});
        QFile::remove(dir + QStringLiteral("/grid.heic"));
        QVERIFY(errors.isEmpty());
        QVERIFY(boxes.isEmpty());
    }

    // What the previews' reads took is given back once they are shown: the
    // program's resident size ends within 50 MB of where it was. (A HEIC
    // grid, then an AVIF grid of 64 tiles, whose decoders' many middling
    // blocks the heap would otherwise keep.)
    void previewGivesItsMemoryBack()
    {
        if (std::system("command -v avifenc >/dev/null") != 0)
            QSKIP("avifenc is missing (scripts/install-deps installs libavif-bin)");
        const std::string heic = (dir + QStringLiteral("/memory.heic")).toStdString();
        const std::string png = (dir + QStringLiteral("/memory.png.src")).toStdString();
        const std::string avif = (dir + QStringLiteral("/memory.avif")).toStdString();
        WriteTileGrid(heic);
        std::vector<uint8_t> rgb;
        for (int y = 0; y < 2048; ++y)
            for (int x = 0; x < 2048; ++x)
                rgb.insert(rgb.end(),
                           {static_cast<uint8_t>(x ^ y), static_cast<uint8_t>(x + y), static_cast<uint8_t>(x)});
        WriteBytes(png, fixtures::EncodePng(rgb, 2048, 2048));
        QCOMPARE(std::system(("avifenc -s 10 -j 2 --grid 8x8 '" + png + "' '" + avif + "' >/dev/null 2>&1").c_str()),
                 0);
        QStringList boxes;
        ImageInfoBox::SetPresenter([&](const QString&, const QString& text) { boxes << text; });
        platform::MallocProcessMemory memory;
        memory.ReturnFreeHeap();
        const double before = ResidentMegabytes();
        {
            TfrmOpenBmp picker("", memory);
            picker.SetFileTypes(ImageFileTypes());
            Control<QComboBox>(picker, "FilterCombo")->setCurrentIndex(1);
            emit Control<QComboBox>(picker, "FilterCombo")->activated(1);
            for (const QString& name : {QStringLiteral("memory.heic"), QStringLiteral("memory.avif")}) {
                Click(Control<QListWidget>(picker, "FileList"), name);
                QVERIFY(!Control<MultiImageView>(picker, "PMImage")->Shown().isNull());
            }
        }
        const double after = ResidentMegabytes();
        ImageInfoBox::SetPresenter({});
        for (const std::string& name : {heic, png, avif})
            std::remove(name.c_str());
        QVERIFY(boxes.isEmpty());
        QVERIFY2(after - before < 50, qPrintable(QStringLiteral("%1 MB before, %2 MB after").arg(before).arg(after)));
    }

    void namesThatAreNotUtf8AreShownEscapedAndKeptAsBytes()
    {
        // A folder and a picture named in Latin-1 and with a stray byte:
        // listed escaped, previewed, and given back byte for byte, also
        // through a text field.
        const std::string folder = dir.toStdString() + "/Bytes\xFE";
        const std::string name = "caf\xE9 \xFF.bmp";
        QVERIFY(::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST);
        WriteTestBmp(folder + "/" + name, 4, 2, std::vector<std::uint32_t>(8, 0xff0000));
        QVERIFY(::chdir(folder.c_str()) == 0);
        TfrmOpenBmp picker("");
        QCOMPARE(picker.Directory(), folder);
        QCOMPARE(Texts(Control<QListWidget>(picker, "FileList")), QStringList{QStringLiteral("caf\\xE9 \\xFF.bmp")});
        QVERIFY(Item(Control<QListWidget>(picker, "DirList"), QStringLiteral("Bytes\\xFE")));
        Click(Control<QListWidget>(picker, "FileList"), QStringLiteral("\\xFF.bmp"));
        QCOMPARE(picker.FileName(), folder + "/" + name);
        QCOMPARE(Control<MultiImageView>(picker, "PMImage")->Shown().size(), QSize(4, 2));
        QCOMPARE(PathBytes(PathText(picker.FileName())), picker.FileName());
        for (int b = 0; b < 256; ++b) {
            const std::string bytes = "a" + std::string(1, static_cast<char>(b)) + "\xE6\x97\xA5\xC3";
            QCOMPARE(PathBytes(PathText(bytes)), bytes);
        }
    }

    void workThatDoesNotAnswerIsGivenUpWhileEventsRun()
    {
        // As a folder on a dead mount: the wait ends at its limit, timers
        // keep firing meanwhile, and the worker is left to itself.
        int ticks = 0;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
        tick.start(20);
        QElapsedTimer waited;
        waited.start();
        const auto never = AnswerWithin<int>(std::chrono::milliseconds(300), [] {
            std::this_thread::sleep_for(std::chrono::seconds(2));
            return 1;
        });
        QVERIFY(!never.has_value());
        QVERIFY(waited.elapsed() < 1500);
        QVERIFY(ticks >= 5);
        QCOMPARE(AnswerWithin<int>(std::chrono::milliseconds(3000), [] { return 7; }), std::optional<int>(7));
        QVERIFY_THROWS_EXCEPTION(ZelvaroError, AnswerWithin<int>(std::chrono::milliseconds(3000),
                                                                 []() -> int { throw ZelvaroError("refused"); }));
    }

    void soundPickerPlaysStopsAndReportsWhatItCannotPlay()
    {
        TfrmOpenWav picker(sound, "");
        QCOMPARE(picker.windowTitle(), QStringLiteral("WAVの選択"));
        QCOMPARE(Control<QLineEdit>(picker, "edtFileName")->text(), QStringLiteral("*.WAV"));
        QCOMPARE(Control<QGroupBox>(picker, "GroupBox1")->title(), QStringLiteral("Sound Test"));
        QCOMPARE(Control<QCheckBox>(picker, "chkAutoPlay")->text(), QStringLiteral("自動演奏"));
        QCOMPARE(Texts(Control<QListWidget>(picker, "FileList")), (QStringList{"BELL.WAV", "chime.wav", "mute.wav"}));
        QCOMPARE(Control<QComboBox>(picker, "FilterCombo")->itemText(1), QStringLiteral("All Files(*.*)"));

        Click(Control<QListWidget>(picker, "FileList"), QStringLiteral("chime.wav"));
        QCOMPARE(sound.playing, (dir + QStringLiteral("/chime.wav")).toStdString());
        Click(Control<QListWidget>(picker, "FileList"), QStringLiteral("BELL.WAV"));
        QCOMPARE(sound.playing, (dir + QStringLiteral("/BELL.WAV")).toStdString());

        Control<QCheckBox>(picker, "chkAutoPlay")->setChecked(false);
        QTest::mouseClick(Control<QPushButton>(picker, "StopButton"), Qt::LeftButton);
        QVERIFY(sound.playing.empty());
        Click(Control<QListWidget>(picker, "FileList"), QStringLiteral("chime.wav"));
        QVERIFY(sound.playing.empty());
        QTest::mouseClick(Control<QPushButton>(picker, "PlayButton"), Qt::LeftButton);
        QCOMPARE(sound.playing, (dir + QStringLiteral("/chime.wav")).toStdString());

        sound.unplayableSuffix = "mute.wav";
        sound.unplayableError = "mute.wav: not a WAV file";
        Control<QCheckBox>(picker, "chkAutoPlay")->setChecked(true);
        picker.show();
        Click(Control<QListWidget>(picker, "FileList"), QStringLiteral("mute.wav"));
        QCOMPARE(errors, QStringList{"mute.wav: not a WAV file."});
        QVERIFY(picker.isVisible());
        // The same failure again (no sound device, say) shows no second box
        // in this opening; the next opening shows it once more.
        Click(Control<QListWidget>(picker, "FileList"), QStringLiteral("BELL.WAV"));
        Click(Control<QListWidget>(picker, "FileList"), QStringLiteral("mute.wav"));
        QCOMPARE(errors.size(), 1);
        {
            TfrmOpenWav again(sound, "");
            Click(Control<QListWidget>(again, "FileList"), QStringLiteral("mute.wav"));
            QCOMPARE(errors.size(), 2);
        }
        sound.unplayableSuffix.clear();

        SaveShot(picker, QStringLiteral("picker_sound"));
        Click(Control<QListWidget>(picker, "FileList"), QStringLiteral("chime.wav"));
        picker.reject();
        QVERIFY(sound.playing.empty());
    }

    void doubleClickIsOkAndNothingSelectedIsEmpty()
    {
        TfrmOpenWav picker(sound, "");
        Control<QCheckBox>(picker, "chkAutoPlay")->setChecked(false);
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        QVERIFY(picker.FileName().empty());
        // The first arrow key selects the first file, the next moves on.
        QTest::keyClick(Control<QListWidget>(picker, "FileList"), Qt::Key_Down);
        QCOMPARE(picker.FileName(), (dir + QStringLiteral("/BELL.WAV")).toStdString());
        QTest::keyClick(Control<QListWidget>(picker, "FileList"), Qt::Key_Down);
        QCOMPARE(picker.FileName(), (dir + QStringLiteral("/chime.wav")).toStdString());
        QListWidgetItem* bell = Item(Control<QListWidget>(picker, "FileList"), QStringLiteral("BELL.WAV"));
        const QRect at = Control<QListWidget>(picker, "FileList")->visualItemRect(bell);
        QTest::mouseClick(Control<QListWidget>(picker, "FileList")->viewport(), Qt::LeftButton, {}, at.center());
        QTest::mouseDClick(Control<QListWidget>(picker, "FileList")->viewport(), Qt::LeftButton, {}, at.center());
        QCOMPARE(picker.result(), int(QDialog::Accepted));
        QCOMPARE(picker.FileName(), (dir + QStringLiteral("/BELL.WAV")).toStdString());
    }
};

QTEST_MAIN(PickersTest)
#include "pickers_test.moc"
