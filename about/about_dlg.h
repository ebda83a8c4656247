// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about box: program name with its shadow, target system and version,
// copyright and maker, the mail and home-page lines, the memory line (and the
// resources line, which stays hidden on this platform), and OK.

#include "about/about_services.h"
#include "about/go_to_web.h"

#include <QDialog>

class ClickLabel;
class QFrame;
class QLabel;
class QPixmap;
class QPushButton;
class QToolButton;

class TfrmAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 380;
    static constexpr int kHeight = 236;
    static constexpr int kTitlePixels = 24;
    static constexpr int kShadowOffset = 3;

    // Creation fills the memory line (and would fill the resources line on
    // the systems that have one).
    explicit TfrmAboutDlg(const AboutServices& services, QWidget* parent = nullptr);

    // Sets the title and its shadow together.
    void SetApplicationName(const QString& name);
    // The texts the about box's owner gives: the copyright, the extra line,
    // the target system and the memory and resources lines.
    void SetTexts(const QString& copyright, const QString& extraInfo, const QString& targetOS,
                  const QString& physicalMem, const QString& systemRes);
    // The program's icon, with `hint` as its tooltip (none when empty).
    void SetIcon(const QPixmap& icon, const QString& hint);

    TGoToWeb GoToWeb1;  // writes the mail and opens the home page

    // The two launch lines; their results are not looked at.
    void SpeedButton1Click();    // a mail to the contact address
    void RxSpeedButton2Click();  // the home page in the browser

protected:
    // OK is also the cancel button: Esc closes with OK. The close box cancels.
    void keyPressEvent(QKeyEvent* event) override;
    // Sized to its texts, at least kWidth x kHeight, and centred.
    void showEvent(QShowEvent* event) override;

private:
    // Its controls, found by their object names from outside.
    QLabel* imgIcon = nullptr;
    QLabel* lblApplicationName = nullptr;
    QLabel* lblApplicationNameShadow = nullptr;
    QLabel* lblTargetOS = nullptr;
    QLabel* lblCopyright = nullptr;
    QLabel* lblExtraInformation = nullptr;
    QFrame* Bevel1 = nullptr;               // the line above the mail and web rows
    QToolButton* SpeedButton1 = nullptr;    // the mail button
    ClickLabel* Label1 = nullptr;           // the mail address
    QToolButton* RxSpeedButton2 = nullptr;  // the web button
    ClickLabel* Label2 = nullptr;           // the home page's address
    QFrame* Bevel2 = nullptr;               // the line below them
    QLabel* lblPhysicalMemory = nullptr;
    QLabel* lblPhMem = nullptr;  // the physical memory figure
    QLabel* lblSystemResources = nullptr;
    QLabel* lblSysRes = nullptr;  // the system resources figure
    QPushButton* btnOk = nullptr;

    void BuildControls();
    QWidget* titleBox_ = nullptr;  // the title over its shadow
    void FormCreate(const AboutServices& services);
};
