// SPDX-License-Identifier: GPL-3.0-or-later
// The image and sound pickers: lists, patterns, results, the current
// directory they leave behind, the preview and the sound test.

#include "options/file_types.h"
#include "options/open_bmp.h"
#include "options/open_wav.h"
#include "platform/fake/fake_sound.h"
#include "base/ui/error_handler.h"
#include "tests/ui/options/modal_driver.h"
#include "tests/ui/platform/test_bitmap.h"
#include "image/image_info_box.h"
#include "image/multi_image_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>

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
        QCOMPARE(picker.edtFileList->text(), QStringLiteral("*.BMP"));
        QCOMPARE(picker.chkPreView->text(), QStringLiteral(" ﾌﾟﾚﾋﾞｭｰ"));
        QVERIFY(picker.chkPreView->isChecked());
        QCOMPARE(picker.PMImage->size(), QSize(165, 129));
        QCOMPARE(Texts(picker.FileList), (QStringList{"WIDE.BMP", "photo.bmp"}));
        QCOMPARE(picker.FilterCombo->itemText(1), QStringLiteral("画像ファイル"));

        picker.SetFileTypes(kImageFileTypes);
        QCOMPARE(picker.FilterCombo->count(), 2);
        QCOMPARE(picker.FilterCombo->itemText(1), QStringLiteral("画像ﾌｧｲﾙ"));
        picker.FilterCombo->setCurrentIndex(1);
        emit picker.FilterCombo->activated(1);
        QCOMPARE(Texts(picker.FileList), (QStringList{"WIDE.BMP", "broken.pcd", "photo.bmp", "sunset.Jpg"}));
        // The long pattern reads from its start, not scrolled to its tail.
        auto* pattern = picker.findChild<QLineEdit*>(QStringLiteral("edtFileList"));
        QVERIFY(pattern->text().startsWith(QStringLiteral("*.BMP;*.JPG;*.GIF;*.PCD;*.TIF;")));
        QCOMPARE(pattern->cursorPosition(), 0);
        QCOMPARE(picker.Directory(), dir.toStdString());
        QVERIFY(picker.FileName().empty());
        Click(picker.FileList, QStringLiteral("photo.bmp"));
        QCOMPARE(picker.FileName(), (dir + QStringLiteral("/photo.bmp")).toStdString());
        QCOMPARE(picker.edtFileList->text(), QStringLiteral("photo.bmp"));
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        SaveShot(picker, QStringLiteral("picker_image"));
    }

    void directoryChangesStayAfterCancel()
    {
        {
            TfrmOpenBmp picker("");
            Click(picker.DirList, QStringLiteral("Summer"));
            emit picker.DirList->itemActivated(picker.DirList->currentItem());
            QCOMPARE(picker.Directory(), (dir + QStringLiteral("/Summer")).toStdString());
            QVERIFY(picker.FileList->count() == 0);
            picker.reject();
        }
        QCOMPARE(QDir::currentPath(), dir + QStringLiteral("/Summer"));
        TfrmOpenWav next(sound, "");
        QCOMPARE(next.Directory(), (dir + QStringLiteral("/Summer")).toStdString());
        // Up again through the tree's entry for the parent.
        Click(next.DirList, QStringLiteral("Pictures"));
        emit next.DirList->itemActivated(next.DirList->currentItem());
        QCOMPARE(QDir::currentPath(), dir);
    }

    void previewFollowsTheCheckBoxAndAlwaysEndsTheBusyCursor()
    {
        TfrmOpenBmp picker("");
        picker.SetFileTypes(kImageFileTypes);
        picker.FilterCombo->setCurrentIndex(1);
        emit picker.FilterCombo->activated(1);

        picker.chkPreView->setChecked(false);
        Click(picker.FileList, QStringLiteral("WIDE.BMP"));
        QVERIFY(picker.PMImage->Shown().isNull());
        QTest::mouseClick(picker.chkPreView, Qt::LeftButton);
        QCOMPARE(picker.PMImage->Shown().size(), QSize(8, 2));
        QTest::mouseClick(picker.chkPreView, Qt::LeftButton);
        QVERIFY(picker.PMImage->Shown().isNull());

        // A damaged Photo CD file and a damaged JPEG: no message of the
        // picker's own (the JPEG's box is the image component's), no cursor left.
        QStringList boxes;
        bool previewClearedBeforeTheBox = false;
        ImageInfoBox::SetPresenter([&](const QString& caption, const QString& text) {
            boxes << caption + ":" + text;
            previewClearedBeforeTheBox = picker.PMImage->Shown().isNull();
        });
        picker.chkPreView->setChecked(true);
        Click(picker.FileList, QStringLiteral("broken.pcd"));
        QVERIFY(picker.PMImage->Shown().isNull());
        QVERIFY(boxes.isEmpty());
        Click(picker.FileList, QStringLiteral("WIDE.BMP"));
        QVERIFY(!picker.PMImage->Shown().isNull());
        Click(picker.FileList, QStringLiteral("sunset.Jpg"));
        ImageInfoBox::SetPresenter({});
        QCOMPARE(boxes, QStringList{"情報:このJPGは読み込めません"});
        QVERIFY(previewClearedBeforeTheBox);
        QVERIFY(errors.isEmpty());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void soundPickerPlaysStopsAndReportsWhatItCannotPlay()
    {
        TfrmOpenWav picker(sound, "");
        QCOMPARE(picker.windowTitle(), QStringLiteral("WAVの選択"));
        QCOMPARE(picker.edtFileName->text(), QStringLiteral("*.WAV"));
        QCOMPARE(picker.GroupBox1->title(), QStringLiteral("Sound Test"));
        QCOMPARE(picker.chkAutoPlay->text(), QStringLiteral("自動演奏"));
        QCOMPARE(Texts(picker.FileList), (QStringList{"BELL.WAV", "chime.wav", "mute.wav"}));
        QCOMPARE(picker.FilterCombo->itemText(1), QStringLiteral("All Files(*.*)"));

        Click(picker.FileList, QStringLiteral("chime.wav"));
        QCOMPARE(sound.playing, (dir + QStringLiteral("/chime.wav")).toStdString());
        Click(picker.FileList, QStringLiteral("BELL.WAV"));
        QCOMPARE(sound.playing, (dir + QStringLiteral("/BELL.WAV")).toStdString());

        picker.chkAutoPlay->setChecked(false);
        QTest::mouseClick(picker.StopButton, Qt::LeftButton);
        QVERIFY(sound.playing.empty());
        Click(picker.FileList, QStringLiteral("chime.wav"));
        QVERIFY(sound.playing.empty());
        QTest::mouseClick(picker.PlayButton, Qt::LeftButton);
        QCOMPARE(sound.playing, (dir + QStringLiteral("/chime.wav")).toStdString());

        sound.unplayableSuffix = "mute.wav";
        sound.unplayableError = "mute.wav: not a WAV file";
        picker.chkAutoPlay->setChecked(true);
        picker.show();
        Click(picker.FileList, QStringLiteral("mute.wav"));
        QCOMPARE(errors, QStringList{"mute.wav: not a WAV file."});
        QVERIFY(picker.isVisible());
        // The same failure again (no sound device, say) shows no second box
        // in this opening; the next opening shows it once more.
        Click(picker.FileList, QStringLiteral("BELL.WAV"));
        Click(picker.FileList, QStringLiteral("mute.wav"));
        QCOMPARE(errors.size(), 1);
        {
            TfrmOpenWav again(sound, "");
            Click(again.FileList, QStringLiteral("mute.wav"));
            QCOMPARE(errors.size(), 2);
        }
        sound.unplayableSuffix.clear();

        SaveShot(picker, QStringLiteral("picker_sound"));
        Click(picker.FileList, QStringLiteral("chime.wav"));
        picker.reject();
        QVERIFY(sound.playing.empty());
    }

    void doubleClickIsOkAndNothingSelectedIsEmpty()
    {
        TfrmOpenWav picker(sound, "");
        picker.chkAutoPlay->setChecked(false);
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        QVERIFY(picker.FileName().empty());
        // The first arrow key selects the first file, the next moves on.
        QTest::keyClick(picker.FileList, Qt::Key_Down);
        QCOMPARE(picker.FileName(), (dir + QStringLiteral("/BELL.WAV")).toStdString());
        QTest::keyClick(picker.FileList, Qt::Key_Down);
        QCOMPARE(picker.FileName(), (dir + QStringLiteral("/chime.wav")).toStdString());
        QListWidgetItem* bell = Item(picker.FileList, QStringLiteral("BELL.WAV"));
        const QRect at = picker.FileList->visualItemRect(bell);
        QTest::mouseClick(picker.FileList->viewport(), Qt::LeftButton, {}, at.center());
        QTest::mouseDClick(picker.FileList->viewport(), Qt::LeftButton, {}, at.center());
        QCOMPARE(picker.result(), int(QDialog::Accepted));
        QCOMPARE(picker.FileName(), (dir + QStringLiteral("/BELL.WAV")).toStdString());
    }
};

QTEST_MAIN(PickersTest)
#include "pickers_test.moc"
