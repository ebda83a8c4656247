// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/file_picker.h"

#include "base/text_helpers.h"
#include "base/ui/accessible_names.h"
#include "base/ui/error_handler.h"
#include "base/ui/path_text.h"
#include "base/zelvaro_error.h"
#include "options/answer_within.h"
#include "options/file_types.h"
#include "options/typed_file_name.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

namespace {

// How long a folder may take to be entered and listed before the picker
// gives up on it.
constexpr std::chrono::milliseconds kFolderWait{3000};

std::string HomeDirectory()
{
    const char* home = std::getenv("HOME");
    return home ? home : "";
}

// The descriptions the pickers' file types carry, for the translation tools.
[[maybe_unused]] constexpr const char* kFileTypeDescriptions[] = {
    QT_TRANSLATE_NOOP("FileTypes", "Bitmap File(*.BMP)"), QT_TRANSLATE_NOOP("FileTypes", "画像ﾌｧｲﾙ"),
    QT_TRANSLATE_NOOP("FileTypes", "画像ファイル"),       QT_TRANSLATE_NOOP("FileTypes", "Wave File(*.wav)"),
    QT_TRANSLATE_NOOP("FileTypes", "All Files(*.*)"),
};

}  // namespace

FilePicker::FilePicker(const QString& caption, const std::string& pattern, const std::string& mountTable,
                       QWidget* parent)
    : QDialog(parent), pattern_(pattern)
{
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    FileNameEdit = new QLineEdit(QString::fromStdString(pattern), this);
    FileNameEdit->setObjectName(QStringLiteral("FileNameEdit"));
    FileNameEdit->setCursorPosition(0);
    FileList = new QListWidget(this);
    FileList->setObjectName(QStringLiteral("FileList"));
    FilterCombo = new QComboBox(this);
    FilterCombo->setObjectName(QStringLiteral("FilterCombo"));
    lblDirctory = new QLabel(this);
    lblDirctory->setObjectName(QStringLiteral("lblDirctory"));
    DirList = new QListWidget(this);
    DirList->setObjectName(QStringLiteral("DirList"));
    DriveCombo = new QComboBox(this);
    DriveCombo->setObjectName(QStringLiteral("DriveCombo"));
    btnOK = new QPushButton(tr("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(tr("ｷｬﾝｾﾙ"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);
    FileNameEdit->setAccessibleName(tr("ﾌｧｲﾙ名"));
    FileList->setAccessibleName(tr("ﾌｧｲﾙの一覧"));
    DirList->setAccessibleName(tr("ﾃﾞｨﾚｸﾄﾘの一覧"));
    FilterCombo->setAccessibleName(tr("ﾌｧｲﾙの種類"));
    DriveCombo->setAccessibleName(tr("ﾄﾞﾗｲﾌﾞ"));
    lblDirctory->setAccessibleName(tr("現在のﾃﾞｨﾚｸﾄﾘ"));
    for (QListWidget* list : {FileList, DirList})
        list->setFixedSize(150, 130);
    lblDirctory->setFixedWidth(150);

    auto* grid = new QGridLayout;
    grid->addWidget(FileNameEdit, 0, 0);
    grid->addWidget(lblDirctory, 0, 1);
    grid->addWidget(FileList, 1, 0);
    grid->addWidget(DirList, 1, 1);
    grid->addWidget(FilterCombo, 2, 0);
    grid->addWidget(DriveCombo, 2, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 3, 1);
    lblOtherTypes_ = new QLabel(this);
    lblOtherTypes_->setObjectName(QStringLiteral("lblOtherTypes"));
    lblOtherTypes_->setWordWrap(true);
    lblOtherTypes_->hide();
    grid->addWidget(lblOtherTypes_, 3, 0, 1, 2);
    extraArea_ = new QVBoxLayout;
    auto* layout = new QVBoxLayout(this);
    mainLayout_ = layout;
    layout->addLayout(grid);
    layout->addLayout(extraArea_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    drives_ = DrivesFromMountTable(mountTable, HomeDirectory());
    for (const DriveEntry& drive : drives_)
        DriveCombo->addItem(style()->standardIcon(QStyle::SP_DriveHDIcon), QString::fromStdString(drive.label));
    FilterCombo->addItem(QString::fromStdString(pattern), QString::fromStdString(pattern));

    for (QWidget* watched : std::initializer_list<QWidget*>{FileList, DirList, FileNameEdit})
        watched->installEventFilter(this);
    connect(btnOK, &QPushButton::clicked, this, [this] { ErrorHandler::Run([this] { OkClick(); }); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(DriveCombo, &QComboBox::activated, this, [this] { ErrorHandler::Run([this] { DriveComboChange(); }); });
    connect(DirList, &QListWidget::itemActivated, this, [this] { ErrorHandler::Run([this] { OpenDirEntry(); }); });
    connect(FilterCombo, &QComboBox::activated, this, &FilePicker::FilterComboChange);
    connect(FileList, &QListWidget::itemSelectionChanged, this, &FilePicker::FileSelectionChanged);
    connect(FileList, &QListWidget::itemDoubleClicked, this,
            [this] { ErrorHandler::Run([this] { FileListDblClick(); }); });

    // The current folder may be on a file system that does not answer: it
    // is then shown empty, and the drives and the tree still lead elsewhere.
    directory_ = CurrentDirectory();
    const std::string start = directory_;
    DirListChange(AnswerWithin<DirectoryListing>(kFolderWait, [start] {
                      return ListDirectory(start);
                  }).value_or(DirectoryListing{}));
}

void FilePicker::FinishLayout()
{
    adjustSize();
    setFixedSize(size());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    ShowDirectoryText();
    // The file list has the focus, so the arrow keys choose a file at once.
    FileList->setFocus();
    // Screen readers hear the captions without access keys and colons.
    NameControlsForSpeech(this);
}

void FilePicker::SetFileTypes(const std::string& text)
{
    FilterCombo->clear();
    for (const FileType& type : ParseFileTypes(text))
        FilterCombo->addItem(QCoreApplication::translate("FileTypes", type.description.c_str()),
                             QString::fromStdString(type.pattern));
    if (FilterCombo->count() > 0) {
        FilterCombo->setCurrentIndex(0);
        FilterComboChange();
    }
}

std::string FilePicker::FileName() const
{
    if (!typedFile_.empty())
        return typedFile_;
    const QList<QListWidgetItem*> selected = FileList->selectedItems();
    if (selected.isEmpty())
        return {};
    return JoinFilePath(directory_, selected.first()->data(Qt::UserRole).toByteArray().toStdString());
}

void FilePicker::ChangeDirectory(const std::string& dir)
{
    // Entering and listing the folder run on a worker: a mount that does not
    // answer is reported after a few seconds, the picker stays where it was,
    // and the clock ticks on meanwhile.
    struct Entered {
        std::string directory;
        DirectoryListing listing;
    };
    const auto entered = AnswerWithin<Entered>(kFolderWait, [dir] {
        ChangeCurrentDirectory(dir);
        std::string now = CurrentDirectory();
        DirectoryListing listing = ListDirectory(now);
        return Entered{std::move(now), std::move(listing)};
    });
    if (!entered)
        throw ZelvaroError(QT_TRANSLATE_NOOP("Messages", "%s が応答しません"), ShownEscaped(dir));
    directory_ = entered->directory;
    DirListChange(entered->listing);
}

void FilePicker::OpenNear(const std::string& current, QStandardPaths::StandardLocation kind)
{
    const std::string dir = PickerStartFolder(current,
                                              {QStandardPaths::writableLocation(kind).toStdString(), HomeDirectory()});
    if (dir.empty() || dir == directory_)
        return;
    try {
        ChangeDirectory(dir);
    } catch (const ZelvaroError&) {
        // Not enterable now: the picker shows where it opened.
    }
}

void FilePicker::ChooseFolder()
{
    choosingFolder_ = true;
    if (!places_) {
        auto* row = new QHBoxLayout;
        const auto addPlace = [&](const char* object, const QString& caption, const std::string& path) {
            auto* button = new QPushButton(caption, this);
            button->setObjectName(QString::fromLatin1(object));
            button->setAutoDefault(false);
            button->setAccessibleName(caption);
            button->setEnabled(!path.empty() && IsFolder(path));
            button->setToolTip(QString::fromStdString(ShownEscaped(path)));
            connect(button, &QPushButton::clicked, this,
                    [this, path] { ErrorHandler::Run([this, &path] { ChangeDirectory(path); }); });
            row->addWidget(button);
        };
        addPlace("btnHome", tr("ﾎｰﾑ"), HomeDirectory());
        addPlace("btnPictures", tr("ﾋﾟｸﾁｬ"),
                 QStandardPaths::writableLocation(QStandardPaths::PicturesLocation).toStdString());
        row->addStretch();
        mainLayout_->insertLayout(0, row);
        places_ = row;
    }
    ShowOtherTypesHint();
    // A path can be typed at once; what is typed replaces the pattern shown.
    FileNameEdit->setFocus();
    FileNameEdit->selectAll();
}

void FilePicker::ShowOtherTypesHint()
{
    if (!choosingFolder_ || FileList->count() > 0) {
        lblOtherTypes_->hide();
        return;
    }
    // The other file type that would show the most files.
    int best = -1;
    std::size_t most = 0;
    for (int i = 0; i < FilterCombo->count(); ++i) {
        if (i == FilterCombo->currentIndex())
            continue;
        const std::size_t count =
            FilesMatching(listing_.files, FilterCombo->itemData(i).toString().toStdString()).size();
        if (count > most) {
            most = count;
            best = i;
        }
    }
    if (best < 0) {
        lblOtherTypes_->hide();
        return;
    }
    lblOtherTypes_->setText(tr("「%1」のﾌｧｲﾙはありません。「%2」なら %3 個の画像が見えます")
                                .arg(FilterCombo->currentText(), FilterCombo->itemText(best))
                                .arg(most));
    lblOtherTypes_->show();
}

void FilePicker::FileListDblClick()
{
    if (!FileList->selectedItems().isEmpty())
        btnOK->click();
}

void FilePicker::OkClick()
{
    if (FileNameEdit->isModified()) {
        FollowTypedName();
        return;
    }
    accept();
}

void FilePicker::FollowTypedName()
{
    const TypedName typed = ReadTypedName(PathBytes(FileNameEdit->text()), directory_, HomeDirectory());
    FileNameEdit->setModified(false);
    switch (typed.kind) {
    case TypedNameKind::Nothing: ShowFileName(QString::fromStdString(pattern_)); return;
    case TypedNameKind::Folder: ChangeDirectory(typed.folder); return;
    case TypedNameKind::Pattern:
        if (!typed.folder.empty())
            ChangeDirectory(typed.folder);
        pattern_ = typed.pattern;
        FillFileList();
        return;
    case TypedNameKind::File:
        if (!typed.exists) {
            throw ZelvaroError(
                QT_TRANSLATE_NOOP("Messages", "ﾌｧｲﾙ %s が見つかりません。名前を確かめて入力し直してください"),
                ShownEscaped(typed.file));
        }
        CheckTypedFile(typed.file);
        typedFile_ = typed.file;
        accept();
        return;
    }
}

void FilePicker::DriveComboChange()
{
    const int index = DriveCombo->currentIndex();
    if (index >= 0 && static_cast<std::size_t>(index) < drives_.size())
        ChangeDirectory(drives_[static_cast<std::size_t>(index)].path);
}

void FilePicker::OpenDirEntry()
{
    const int row = DirList->currentRow();
    if (row >= 0 && static_cast<std::size_t>(row) < tree_.size())
        ChangeDirectory(tree_[static_cast<std::size_t>(row)].path);
}

// The directory list shows the new directory, the file list its files.
void FilePicker::DirListChange(DirectoryListing listing)
{
    listing_ = std::move(listing);
    tree_ = DirectoryTree(directory_, listing_.subdirs);
    DirList->clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    for (const DirectoryEntry& entry : tree_) {
        auto* item = new QListWidgetItem(entry.open ? open : closed,
                                         QString(entry.depth * 2, QLatin1Char(' ')) +
                                             QString::fromStdString(ShownEscaped(entry.label)));
        DirList->addItem(item);
    }
    // The current directory is the last open entry.
    std::size_t current = 0;
    while (current + 1 < tree_.size() && tree_[current + 1].open)
        ++current;
    DirList->setCurrentRow(static_cast<int>(current));
    const QSignalBlocker quiet(DriveCombo);
    DriveCombo->setCurrentIndex(static_cast<int>(DriveIndexOf(drives_, directory_)));
    ShowDirectoryText();
    FillFileList();
}

void FilePicker::FilterComboChange()
{
    const QVariant pattern = FilterCombo->currentData();
    if (!pattern.isValid())
        return;
    pattern_ = pattern.toString().toStdString();
    FillFileList();
}

void FilePicker::FillFileList()
{
    filling_ = true;
    FileList->clear();
    // A name is shown escaped where it is not UTF-8 (or holds a control
    // character) and kept as its bytes.
    for (const std::string& name : FilesMatching(listing_.files, pattern_)) {
        auto* item = new QListWidgetItem(QString::fromStdString(ShownEscaped(name)));
        item->setData(Qt::UserRole, QByteArray::fromStdString(name));
        FileList->addItem(item);
    }
    filling_ = false;
    ShowFileName(QString::fromStdString(pattern_));
    ShowOtherTypesHint();
}

void FilePicker::FileSelectionChanged()
{
    if (filling_)
        return;
    typedFile_.clear();
    const QList<QListWidgetItem*> selected = FileList->selectedItems();
    ShowFileName(selected.isEmpty() ? QString::fromStdString(pattern_) : selected.first()->text());
    ErrorHandler::Run([this] { FileListClick(); });
}

void FilePicker::ShowFileName(const QString& text)
{
    // Shown from its start: a long pattern list reads "*.BMP;*.JPG;…", not
    // its scrolled-off tail.
    FileNameEdit->setText(text);
    FileNameEdit->setCursorPosition(0);
}

void FilePicker::ShowDirectoryText()
{
    const QString text = QString::fromStdString(ShownEscaped(directory_));
    QString shown = lblDirctory->fontMetrics().elidedText(text, Qt::ElideMiddle, lblDirctory->width());
    shown.replace(QChar(0x2026), QStringLiteral("..."));
    lblDirctory->setText(shown);
    lblDirctory->setToolTip(text);
}

// The list marks its first file as current when it gets the focus, without
// selecting it; the first arrow key then selects that file instead of
// skipping to the next one.
bool FilePicker::eventFilter(QObject* watched, QEvent* event)
{
    // Return acts where it is pressed: a folder opens, a file is chosen, a
    // typed name is followed. The dialog's OK button would close the picker.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == DirList) {
                ErrorHandler::Run([this] { OpenDirEntry(); });
                return true;
            }
            if (watched == FileList) {
                // The file the list marks (it gets that mark, unselected, with
                // the focus) is the one Return means: selected first, so the
                // picker and the caller see it as if it had been clicked.
                if (FileList->selectedItems().isEmpty() && FileList->currentItem())
                    FileList->setCurrentItem(FileList->currentItem(), QItemSelectionModel::ClearAndSelect);
                if (FileList->selectedItems().isEmpty())
                    return true;
                ErrorHandler::Run([this] { FileListDblClick(); });
                return true;
            }
            if (watched == FileNameEdit) {
                ErrorHandler::Run([this] { OkClick(); });
                return true;
            }
        }
    }
    if (watched == FileList && event->type() == QEvent::KeyPress && FileList->selectedItems().isEmpty() &&
        FileList->count() > 0) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up) {
            FileList->setCurrentRow(std::max(FileList->currentRow(), 0), QItemSelectionModel::ClearAndSelect);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FilePicker::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    ShowDirectoryText();
}
