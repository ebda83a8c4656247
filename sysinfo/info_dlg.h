// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TfrmInfoDlg: the information dialog. It shows the machine's memory,
// swap and free handles as charts and tables, and its computer, user,
// system and directories, all taken once while it is created.

#include <QDialog>

#include <memory>

class QFrame;
class QPushButton;
class QWidget;
class TChart;
class TPageControlEx;
class TStringAlignGrid;
class TSysInfo;
struct InfoRow;

namespace platform {
class Registry;
class SystemFacts;
}  // namespace platform

class TfrmInfoDlg : public QDialog {
    Q_OBJECT

public:
    TfrmInfoDlg(QWidget* owner, const platform::SystemFacts& facts, const platform::Registry& registry);
    ~TfrmInfoDlg() override;

    std::unique_ptr<TSysInfo> SysInfo;

    // Fills the tables and charts; an error stops the filling where it
    // happened and is shown, and the dialog opens with what was filled.
    void FormCreate();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Its controls, found by their object names from outside.
    // Bevel2 frames the whole dialog, Bevel1 the close button; PageControlEx1
    // holds the four pages, its tabs below them.
    QFrame* Bevel1 = nullptr;
    QFrame* Bevel2 = nullptr;
    TPageControlEx* PageControlEx1 = nullptr;
    QWidget* TabSheet1 = nullptr;  // "OS・ﾕｰｻﾞｰ"
    QWidget* TabSheet2 = nullptr;  // "ﾒﾓﾘ・ﾘｿｰｽ"
    QWidget* TabSheet3 = nullptr;  // "ｸﾞﾗﾌ"
    QWidget* TabSheet4 = nullptr;  // "ﾃﾞｨﾚｸﾄﾘ"
    TStringAlignGrid* OSGrid = nullptr;
    TStringAlignGrid* MemoryGrid = nullptr;
    TStringAlignGrid* DirGrid = nullptr;
    TChart* Chart1 = nullptr;        // physical memory
    TChart* Chart2 = nullptr;        // swap
    TChart* Chart3 = nullptr;        // the resources used and free, in percent
    QPushButton* BitBtn1 = nullptr;  // Close

    void BuildLayout();
    static void SetUpGrid(TStringAlignGrid* grid);
    static void FillGrid(TStringAlignGrid* grid, const std::vector<InfoRow>& rows);

    const platform::SystemFacts& facts_;
    const platform::Registry& registry_;
};

// The clock window's information command: creates the dialog, shows it
// modally and releases it when it closes.
void ShowInfoDialog(QWidget* owner, const platform::SystemFacts& facts, const platform::Registry& registry);
