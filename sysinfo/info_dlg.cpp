// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/info_dlg.h"

#include "base/ui/accessible_names.h"
#include "base/ui/error_handler.h"
#include "base/ui/screen_centre.h"
#include "sysinfo/bar_chart.h"
#include "sysinfo/info_rows.h"
#include "sysinfo/page_control_ex.h"
#include "sysinfo/string_align_grid.h"
#include "sysinfo/sys_info.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <utility>

namespace {

QWidget* AddPage(TPageControlEx* pages, const char* name, const QString& caption)
{
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    pages->addTab(page, caption);
    return page;
}

TStringAlignGrid* AddGrid(QWidget* page, const char* name)
{
    auto* grid = new TStringAlignGrid(page);
    grid->setObjectName(QString::fromLatin1(name));
    grid->move(8, 8);
    // For looking only: no focus, no selection, no scroll bars.
    grid->setEnabled(false);
    grid->setFocusPolicy(Qt::NoFocus);
    grid->SetDrawSelection(false);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Disabled, its texts still read black on white.
    QPalette palette = grid->palette();
    palette.setColor(QPalette::Disabled, QPalette::Text, palette.color(QPalette::Active, QPalette::Text));
    palette.setColor(QPalette::Disabled, QPalette::Base, palette.color(QPalette::Active, QPalette::Base));
    grid->setPalette(palette);
    return grid;
}

TChart* AddChart(QWidget* page, const char* name, const QString& title, int left)
{
    auto* chart = new TChart(page);
    chart->setObjectName(QString::fromLatin1(name));
    chart->setGeometry(left, 32, 105, 154);
    chart->SetTitle(title);
    return chart;
}

// Room a caption keeps beside its text, and the least a value column keeps.
constexpr int kCaptionRoom = 10;
constexpr int kLeastValueWidth = 120;

void AddBars(TChart* chart, const std::vector<InfoBar>& bars)
{
    for (const InfoBar& bar : bars)
        chart->AddBar(bar.value(), QCoreApplication::translate("InfoRows", bar.label.c_str()),
                      QColor::fromRgb(bar.rgb));
    // A screen reader reads the bars as the chart writes them.
    QStringList said;
    for (int i = 0; i < static_cast<int>(bars.size()); ++i)
        said << chart->MarkText(i);
    chart->setAccessibleDescription(said.join(QStringLiteral(", ")));
}

}  // namespace

TfrmInfoDlg::TfrmInfoDlg(QWidget* owner, const platform::SystemFacts& facts, const platform::Registry& registry)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      facts_(facts), registry_(registry)
{
    BuildLayout();
    // The component gathers in French as it is made, then again in English.
    // The dialog shows nothing of the file systems, so it never asks them: a
    // dead mount cannot hold it up, and thousands of mounts cost nothing.
    SysInfo = std::make_unique<TSysInfo>(facts_, SysInfoGather::WithoutFileSystems);
    SysInfo->SetLanguage(TLanguage::lgEnglish);
    ErrorHandler::Run([this] { FormCreate(); });
    // Screen readers hear the captions without access keys and colons.
    NameControlsForSpeech(this);
}

TfrmInfoDlg::~TfrmInfoDlg() = default;

void TfrmInfoDlg::BuildLayout()
{
    setWindowTitle(tr("ｲﾝﾌｫﾒｰｼｮﾝ"));
    setFixedSize(489, 258);
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")});
    font.setPixelSize(12);
    setFont(font);

    Bevel2 = new QFrame(this);
    Bevel2->setObjectName(QStringLiteral("Bevel2"));
    Bevel2->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel2->setGeometry(0, 0, 489, 257);

    PageControlEx1 = new TPageControlEx(this);
    PageControlEx1->setObjectName(QStringLiteral("PageControlEx1"));
    PageControlEx1->setGeometry(8, 8, 369, 241);
    PageControlEx1->SetTabPosition(TTabPositionEx::tpeBottom);
    PageControlEx1->SetTabWidth(90);
    TabSheet3 = AddPage(PageControlEx1, "TabSheet3", tr("ｸﾞﾗﾌ"));
    TabSheet2 = AddPage(PageControlEx1, "TabSheet2", tr("ﾒﾓﾘ・ﾘｿｰｽ"));
    TabSheet1 = AddPage(PageControlEx1, "TabSheet1", tr("OS・ﾕｰｻﾞｰ"));
    TabSheet4 = AddPage(PageControlEx1, "TabSheet4", tr("ﾃﾞｨﾚｸﾄﾘ"));
    PageControlEx1->setCurrentWidget(TabSheet3);

    Chart1 = AddChart(TabSheet3, "Chart1", tr("物理ﾒﾓﾘ"), 8);
    Chart2 = AddChart(TabSheet3, "Chart2", tr("ｽﾜｯﾌﾟﾌｧｲﾙ"), 128);
    Chart3 = AddChart(TabSheet3, "Chart3", tr("ﾕｰｻﾞｰﾘｿｰｽ"), 248);
    Chart3->SetMarkStyle(TChart::MarkStyle::LabelPercent);
    Chart3->SetValueRange(0, 100);
    MemoryGrid = AddGrid(TabSheet2, "MemoryGrid");
    OSGrid = AddGrid(TabSheet1, "OSGrid");
    DirGrid = AddGrid(TabSheet4, "DirGrid");
    for (auto [grid, page] :
         {std::pair{MemoryGrid, TabSheet2}, std::pair{OSGrid, TabSheet1}, std::pair{DirGrid, TabSheet4}})
        grid->setAccessibleName(
            PageControlEx1->tabText(PageControlEx1->indexOf(page)).replace(QStringLiteral("&&"), QStringLiteral("&")));

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(384, 32, 97, 57);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), tr("閉じる"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(392, 48, 83, 25);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmInfoDlg::FormCreate()
{
    const char separator = facts_.DecimalSeparator();
    for (TChart* chart : {Chart1, Chart2, Chart3})
        chart->SetDecimalSeparator(separator);
    SetUpGrid(DirGrid);
    FillGrid(DirGrid, DirectoryRows(facts_, registry_));
    SetUpGrid(OSGrid);
    FillGrid(OSGrid, SystemRows(*SysInfo, registry_));
    SetUpGrid(MemoryGrid);
    // The English windows read sizes in MB and GB; the Japanese ones as written.
    const char* probe = QT_TRANSLATE_NOOP("InfoRows", "物理ﾒﾓﾘ");
    const bool english = QCoreApplication::translate("InfoRows", probe) != QString::fromUtf8(probe);
    FillGrid(MemoryGrid, MemoryRows(*SysInfo, facts_, english));
    // The two memory charts' bars are megabytes, and their marks say so: in
    // MB and GB for English readers, else the figure as written with the
    // tables' " Mb".
    for (TChart* chart : {Chart1, Chart2})
        chart->SetValueText([english](double megabytes) {
            return QString::fromStdString(english ? EnglishSizeText(megabytes) : GroupedValueText(megabytes) + " Mb");
        });
    AddBars(Chart1, PhysicalMemoryBars(*SysInfo));
    AddBars(Chart2, SwapBars(*SysInfo));
    AddBars(Chart3, ResourceBars(facts_));
}

void TfrmInfoDlg::SetUpGrid(TStringAlignGrid* grid)
{
    grid->SetColWidth(0, 120);
    grid->SetColWidth(1, 222);
    grid->SetDefaultRowHeight(18);
    grid->SetRowCount(10);
    grid->SetColCount(2);
    grid->SetFixedCols(0);
    grid->SetFixedRows(0);
    grid->resize(grid->ColWidth(0) + grid->ColWidth(1), grid->rowCount() * (grid->DefaultRowHeight() + 1) - 1);
}

void TfrmInfoDlg::FillGrid(TStringAlignGrid* grid, const std::vector<InfoRow>& rows)
{
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const InfoRow& r = rows[static_cast<std::size_t>(row)];
        grid->SetCell(0, row, QCoreApplication::translate("InfoRows", r.label.c_str()));
        grid->SetCell(1, row, QString::fromStdString(r.value()));
    }
    // A caption longer than its column (English ones can be) widens it at
    // the values' expense: no caption is cut off.
    int widest = 0;
    for (int row = 0; row < static_cast<int>(rows.size()); ++row)
        widest = std::max(widest, grid->fontMetrics().horizontalAdvance(grid->Cell(0, row)) + kCaptionRoom);
    const int both = grid->ColWidth(0) + grid->ColWidth(1);
    if (widest > grid->ColWidth(0)) {
        grid->SetColWidth(0, std::min(widest, both - kLeastValueWidth));
        grid->SetColWidth(1, both - grid->ColWidth(0));
    }
}

void TfrmInfoDlg::showEvent(QShowEvent* event)
{
    // Centred on the screen, whatever the owner.
    CentreOnScreen(*this);
    QDialog::showEvent(event);
}

void ShowInfoDialog(QWidget* owner, const platform::SystemFacts& facts, const platform::Registry& registry)
{
    TfrmInfoDlg dialog(owner, facts, registry);
    dialog.exec();
}
