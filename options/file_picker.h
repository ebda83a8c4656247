// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the image and sound pickers share: a drive box, a directory tree list,
// a file list with its name field, and a file-type box, linked as one. The
// directory list works on the process's current directory: it opens there
// (or where OpenNear says), and every change of directory in it changes the
// process's current directory, which stays after the picker closes.
// From the keyboard: Return on a folder opens it, Return on a file chooses
// it; the name field takes a typed name, path or pattern.

#include "options/file_system_view.h"

#include <QDialog>
#include <QStandardPaths>

#include <string>
#include <vector>

class QComboBox;
class QLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QVBoxLayout;

class FilePicker : public QDialog {
    Q_OBJECT
public:
    // `pattern` is the file list's first pattern ("*.BMP"); the drive box
    // reads `mountTable` (the /proc/self/mounts form).
    FilePicker(const QString& caption, const std::string& pattern, const std::string& mountTable,
               QWidget* parent = nullptr);

    // Replaces the file-type box's list ("description|pattern|..."); its first
    // pattern becomes the file list's.
    void SetFileTypes(const std::string& text);

    // The directory list's directory, a full path.
    const std::string& Directory() const { return directory_; }
    // The chosen file's full path: the one typed into the name field and
    // confirmed, else the selected one; empty when there is none.
    std::string FileName() const;
    // The file list's pattern.
    const std::string& Pattern() const { return pattern_; }

    // Makes `dir` the current directory of the list and of the process, and
    // shows its files. A refused change raises ZelvaroError.
    void ChangeDirectory(const std::string& dir);
    // Opens in the folder of `current` (a file or a folder), else in the
    // user's folder of this kind (pictures, music), else at home; a folder
    // that cannot be entered leaves the picker where it opened.
    void OpenNear(const std::string& current, QStandardPaths::StandardLocation kind);

    // The picker chooses a folder (its Directory() is the result): the focus
    // starts in the name field, where a typed path ("~" for home) and Return
    // open a folder and Return again chooses it; the places Home and
    // Pictures stand above the lists; and while the chosen file type shows
    // no file but another type would, a line under the lists says how many.
    void ChooseFolder();

protected:
    // Its controls, which the pickers built on this one use; from outside they are found by their object names.
    QComboBox* DriveCombo = nullptr;
    QLabel* lblDirctory = nullptr;
    QListWidget* DirList = nullptr;
    QLineEdit* FileNameEdit = nullptr;
    QListWidget* FileList = nullptr;
    QComboBox* FilterCombo = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

    // Where a picker puts its own controls (preview, sound test): below the lists.
    QVBoxLayout* ExtraArea() const { return extraArea_; }
    // Sizes the window to its contents, fixes the size, centres it on the
    // screen and gives the file list the focus.
    void FinishLayout();

    void DriveComboChange();
    // Shows `listing` of directory_: the directory list and the file list.
    void DirListChange(DirectoryListing listing);
    void FilterComboChange();
    virtual void FileListClick() {}
    // A double click (or Return) on a file chooses it, as OK does.
    virtual void FileListDblClick();
    // A file typed into the name field is about to be chosen: a picker that
    // takes only some files raises ZelvaroError saying why it refuses this
    // one, and stays open.
    virtual void CheckTypedFile(const std::string& path) { static_cast<void>(path); }

    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OpenDirEntry();
    // OK, or Return in the name field: a typed name is followed first.
    void OkClick();
    // Follows what the name field holds: opens a folder, shows a pattern's
    // files, or chooses a file (a missing one is reported, the picker stays).
    void FollowTypedName();
    void FileSelectionChanged();
    void ShowFileName(const QString& text);
    void ShowDirectoryText();
    void FillFileList();
    // The line under the lists in a folder choice (see ChooseFolder).
    void ShowOtherTypesHint();

    std::vector<DriveEntry> drives_;
    std::vector<DirectoryEntry> tree_;
    DirectoryListing listing_;
    std::string directory_;
    std::string pattern_;
    std::string typedFile_;  // a file chosen by typing its name
    bool filling_ = false;
    bool choosingFolder_ = false;
    QVBoxLayout* extraArea_ = nullptr;
    QLayout* places_ = nullptr;        // Home and Pictures, in a folder choice
    QLabel* lblOtherTypes_ = nullptr;  // the hint of a folder choice
    QVBoxLayout* mainLayout_ = nullptr;
};
