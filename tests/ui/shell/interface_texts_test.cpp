// SPDX-License-Identifier: GPL-3.0-or-later
// Every window in both languages: in English no Japanese character is left in
// any title, caption, tab, menu item, tooltip, accessible name or message; in
// Japanese (no translation loaded, as under LANG=ja_JP.UTF-8 or C) the written
// texts stand; in either, the accessibility tree names every control.

#include "about/about_dlg.h"
#include "about/about_texts.h"
#include "alarm/alarm_notice.h"
#include "alarm/alarm_set_dialog.h"
#include "alarm/alarm_time.h"
#include "base/translatable.h"
#include "base/ui/error_handler.h"
#include "base/ui/palette_icon_style.h"
#include "base/ui/readable_colour.h"
#include "base/ui/readable_glyph.h"
#include "base/zelvaro_error.h"
#include "calendar/calendar_dlg.h"
#include "clock_window_fixture.h"
#include "image/views/image_info_box.h"
#include "options/config_dlg.h"
#include "options/open_bmp.h"
#include "options/open_wav.h"
#include "sysinfo/info_dlg.h"
#include "tests/ui/control.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTranslator>
#include <QtTest>

#include <functional>
#include <memory>
#include <utility>

namespace {

const QRegularExpression kJapanese(QStringLiteral("[\\x{3000}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));

// Every text a user sees or hears in one window, each with where it stands.
QStringList TextsOf(QWidget* window)
{
    QStringList texts;
    const auto add = [&texts](const QObject* where, const QString& what, const QString& text) {
        if (!text.isEmpty())
            texts << where->metaObject()->className() + QStringLiteral(" ") + where->objectName() +
                         QStringLiteral(" ") + what + QStringLiteral(": ") + text;
    };
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        add(w, QStringLiteral("title"), w->isWindow() ? w->windowTitle() : QString());
        add(w, QStringLiteral("tooltip"), w->toolTip());
        add(w, QStringLiteral("accessible name"), w->accessibleName());
        add(w, QStringLiteral("description"), w->accessibleDescription());
        if (auto* label = qobject_cast<QLabel*>(w))
            add(w, QStringLiteral("text"), label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            add(w, QStringLiteral("text"), button->text());
        if (auto* box = qobject_cast<QGroupBox*>(w))
            add(w, QStringLiteral("title"), box->title());
        if (auto* tabs = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                add(w, QStringLiteral("tab"), tabs->tabText(i));
        if (auto* combo = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i)
                add(w, QStringLiteral("item"), combo->itemText(i));
    }
    for (QAction* action : window->findChildren<QAction*>()) {
        add(action, QStringLiteral("menu item"), action->text());
        add(action, QStringLiteral("tooltip"),
            action->toolTip() == action->text().remove(QLatin1Char('&')) ? QString() : action->toolTip());
    }
    return texts;
}

bool IsControl(QWidget* w)
{
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
           qobject_cast<QComboBox*>(w) ||
           (qobject_cast<QAbstractItemView*>(w) && !qobject_cast<QComboBox*>(w->parentWidget()));
}

// The controls the accessibility tree shows without a name.
QStringList UnnamedControls(QWidget* window)
{
    QStringList unnamed;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const bool control = IsControl(w);
        // A spin field's own edit and a table's hidden headers are parts of
        // a control, not controls of their own.
        if (!control || w->isHidden() || qobject_cast<QAbstractSpinBox*>(w->parentWidget()))
            continue;
        if (qobject_cast<QAbstractItemView*>(w) && w->window() != window)
            continue;  // a combo box's drop-down list, named by its combo box
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(w);
        if (!node || node->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->objectName();
        // Every enabled control of a dialog is reached with Tab.
        if (qobject_cast<QDialog*>(window) && w->isEnabled() && !(w->focusPolicy() & Qt::TabFocus))
            unnamed << QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->objectName() +
                           QStringLiteral(" (out of the keyboard's reach)");
    }
    return unnamed;
}

// A dark palette as desktops set one.
QPalette DarkPalette()
{
    QPalette dark;
    for (auto [role, colour] :
         {std::pair{QPalette::Window, QColor(53, 53, 53)}, std::pair{QPalette::WindowText, QColor(230, 230, 230)},
          std::pair{QPalette::Base, QColor(35, 35, 35)}, std::pair{QPalette::AlternateBase, QColor(60, 60, 60)},
          std::pair{QPalette::Text, QColor(230, 230, 230)}, std::pair{QPalette::Button, QColor(60, 60, 60)},
          std::pair{QPalette::ButtonText, QColor(230, 230, 230)}, std::pair{QPalette::ToolTipBase, QColor(35, 35, 35)},
          std::pair{QPalette::ToolTipText, QColor(230, 230, 230)}, std::pair{QPalette::Shadow, QColor(0, 0, 0)}})
        dark.setColor(role, colour);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(QPalette::Disabled, role, QColor(127, 127, 127));
    dark.setColor(QPalette::Light, QColor(53, 53, 53));
    return dark;
}

// The icons and texts of a window that do not read on their ground
// (contrast under 4.5:1): a button's icon by its strokes, a label's text by
// its colour. Disabled controls and texts with colours of their own (the
// clock face, the alarm notice) are left to their own tests.
QStringList Unreadable(QWidget* window)
{
    QStringList faults;
    const qreal ratio = 2.0;
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(window) || !button->isEnabled() || button->icon().isNull())
            continue;
        const QColor ground = button->palette().color(QPalette::Button);
        const double contrast = GlyphContrast(button->icon().pixmap(button->iconSize(), ratio).toImage(), ground);
        if (contrast < 4.5)
            faults << QStringLiteral("icon of %1: %2").arg(button->objectName()).arg(contrast, 0, 'f', 2);
    }
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(window) || !label->isEnabled() || label->text().isEmpty() ||
            !label->styleSheet().isEmpty() || !window->styleSheet().isEmpty() ||
            label->objectName() == QStringLiteral("lblApplicationNameShadow"))  // a title's shadow
            continue;
        const QColor ground = label->palette().color(label->autoFillBackground() ? label->backgroundRole()
                                                                                 : QPalette::Window);
        const double contrast = Contrast(label->palette().color(label->foregroundRole()), ground);
        if (contrast < 4.5)
            faults << QStringLiteral("text of %1: %2").arg(label->objectName()).arg(contrast, 0, 'f', 2);
    }
    return faults;
}

}  // namespace

class InterfaceTextsTest : public QObject {
    Q_OBJECT

    platform::FakeClock clock{EncodeDate(2026, 12, 7) + EncodeTime(14, 0, 20)};
    platform::FakeSound sound;
    platform::FakeHelp help;
    FakeAboutServices about;
    platform::MemoryRegistry registry;

    // Makes every window and hands each to `look`, with its name.
    void EveryWindow(const std::function<void(const char*, QWidget*)>& look)
    {
        ClockFixture fixture;
        look("clock window", &fixture.Start());
        TConfigDlg options(help, sound, "");
        look("options", &options);
        TAlarmSetDlg alarm(clock, help);
        alarm.SetAlarmTime(23, 14);  // the echo shows which half of the day
        look("alarm setting", &alarm);
        TMsgDlg notice(sound);
        notice.ShowAlarm(QString::fromStdString(
                             AlarmTimeText(11, 14, AlarmEchoText(23, 14, false),
                                           QCoreApplication::translate("TMsgDlg", kAlarmTimePattern).toStdString())),
                         QImage(), std::string());
        look("alarm notice", &notice);
        TCalendarDlg calendar(nullptr, clock, help);
        look("calendar", &calendar);
        TfrmInfoDlg info(nullptr, about.facts, registry);
        look("information", &info);
        TfrmAboutDlg aboutBox(about.services);  // with the clock window's texts
        aboutBox.SetApplicationName(QString::fromUtf8(kAboutAppName));
        aboutBox.setWindowTitle(QCoreApplication::translate("TfrmClock", kAboutCaption));
        Control<QLabel>(aboutBox, "lblCopyright")->setText(QString::fromUtf8(kAboutCopyright));
        Control<QLabel>(aboutBox, "lblExtraInformation")->setText(QString::fromUtf8(kAboutExtraInfo));
        Control<QLabel>(aboutBox, "lblTargetOS")->setText(QString::fromUtf8(kAboutTargetOS));
        Control<QLabel>(aboutBox, "lblPhysicalMemory")->setText(QString::fromUtf8(kDefaultPhysicalMem));
        look("about", &aboutBox);
        TfrmOpenBmp picture("");
        look("picture chooser", &picture);
        TfrmOpenWav soundPicker(sound, "");
        look("sound chooser", &soundPicker);
    }

    // The messages of the error box and the information box, as shown.
    QStringList Messages()
    {
        QStringList shown;
        const auto record = [&shown](const QString& caption, const QString& text) { shown << caption << text; };
        ErrorHandler::SetPresenter(record);
        ImageInfoBox::SetPresenter(record);
        ErrorHandler::Run([] { throw ZelvaroError(QT_TRANSLATE_NOOP("Messages", "%s に書き込めません"), "/x.INI"); });
        ErrorHandler::Run([] { throw ZelvaroError("ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞが不正です"); });
        ImageInfoBox::Show("このJPGは読み込めません");
        ErrorHandler::SetPresenter({});
        ImageInfoBox::SetPresenter({});
        return shown;
    }

private slots:
    // The program's own style: standard icons that follow the palette.
    void initTestCase() { QApplication::setStyle(new PaletteIconStyle); }

    void iconsAndTextsReadOnTheLightAndADarkPalette()
    {
        const QPalette light = QApplication::palette();
        for (const bool inDark : {false, true}) {
            QApplication::setPalette(inDark ? DarkPalette() : light);
            QStringList faults;
            EveryWindow([&](const char* name, QWidget* window) {
                for (const QString& fault : Unreadable(window))
                    faults << QString::fromLatin1(name) +
                                  (inDark ? QStringLiteral(" (dark): ") : QStringLiteral(": ")) + fault;
            });
            QApplication::setPalette(light);
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        }
    }

    void englishLeavesNoJapaneseCharacter()
    {
        QTranslator english;
        QVERIFY(english.load(QStringLiteral("zelvaro_en"), QStringLiteral(":/i18n")));
        QVERIFY(QCoreApplication::installTranslator(&english));
        QStringList japanese;
        int seen = 0;
        EveryWindow([&](const char* name, QWidget* window) {
            for (const QString& text : TextsOf(window)) {
                ++seen;
                if (text.contains(kJapanese))
                    japanese << QString::fromLatin1(name) + QStringLiteral(": ") + text;
            }
        });
        const QStringList messages = Messages();
        for (const QString& text : messages)
            if (text.contains(kJapanese))
                japanese << QStringLiteral("message: ") + text;
        QCoreApplication::removeTranslator(&english);
        QVERIFY2(japanese.isEmpty(), qPrintable(japanese.join(QLatin1Char('\n'))));
        QVERIFY(seen > 150);
        QCOMPARE(
            messages,
            (QStringList{QStringLiteral("Zelvaro Ver.1.6"), QStringLiteral("Cannot write /x.INI."),
                         QStringLiteral("Zelvaro Ver.1.6"), QStringLiteral("The bitmap image is not valid."),
                         QStringLiteral("Zelvaro Information"), QStringLiteral("This JPEG picture cannot be read")}));
    }

    void japaneseKeepsTheWrittenTexts()
    {
        QMap<QString, QString> titles;
        QStringList menu;
        EveryWindow([&](const char* name, QWidget* window) {
            titles[QString::fromLatin1(name)] = window->windowTitle();
            if (auto* commands = window->findChild<QMenu*>(QStringLiteral("PopupMenu1")))
                for (QAction* a : commands->actions())
                    if (!a->isSeparator())
                        menu << a->text();
        });
        QCOMPARE(titles[QStringLiteral("options")], QStringLiteral("Zelvaroの設定"));
        QCOMPARE(titles[QStringLiteral("alarm setting")], QStringLiteral("Zelvaro ｱﾗｰﾑの設定"));
        QCOMPARE(titles[QStringLiteral("alarm notice")], QStringLiteral("Zelvaro ｱﾗｰﾑ"));
        QCOMPARE(titles[QStringLiteral("calendar")], QStringLiteral("Zelvaro のカレンダー"));
        QCOMPARE(titles[QStringLiteral("information")], QStringLiteral("ｲﾝﾌｫﾒｰｼｮﾝ"));
        QCOMPARE(titles[QStringLiteral("picture chooser")], QStringLiteral("画像ﾌｧｲﾙの選択"));
        QCOMPARE(titles[QStringLiteral("sound chooser")], QStringLiteral("WAVの選択"));
        QCOMPARE(menu, (QStringList{QStringLiteral("ｱﾗｰﾑ設定"), QStringLiteral("ｱﾗｰﾑ停止"), QStringLiteral("壁紙指定"),
                                    QStringLiteral("ｾｰﾊﾞ起動"), QStringLiteral("壁紙変更停止"),
                                    QStringLiteral("ｾｰﾊﾞ停止"), QStringLiteral("ｶﾚﾝﾀﾞｰ"), QStringLiteral("ｲﾝﾌｫﾒｰｼｮﾝ"),
                                    QStringLiteral("ｵﾌﾟｼｮﾝ設定"), QStringLiteral("ｱ ｲ ｺ ﾝ"), QStringLiteral("ﾍ  ﾙ  ﾌﾟ"),
                                    QStringLiteral("ﾊﾞｰｼﾞｮﾝ"), QStringLiteral("終    了")}));
        QCOMPARE(Messages(), (QStringList{QStringLiteral("Zelvaro Ver.1.6"), QStringLiteral("/x.INI に書き込めません."),
                                          QStringLiteral("Zelvaro Ver.1.6"), QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞが不正です."),
                                          QStringLiteral("情報"), QStringLiteral("このJPGは読み込めません")}));
    }

    // With ZELVARO_SCREENSHOTS set (scripts/screenshots), every window and the
    // command menu in both languages on the light and a dark palette, as
    // <window>_<ja|en>_<light|dark>.png in that folder.
    void screenshots()
    {
        const QString dir = qEnvironmentVariable("ZELVARO_SCREENSHOTS");
        if (dir.isEmpty())
            QSKIP("ZELVARO_SCREENSHOTS is not set");
        QDir().mkpath(dir);
        const QPalette light = QApplication::palette();
        const QPalette dark = DarkPalette();
        QTranslator english;
        QVERIFY(english.load(QStringLiteral("zelvaro_en"), QStringLiteral(":/i18n")));
        int saved = 0;
        for (const char* language : {"ja", "en"}) {
            if (QByteArray(language) == "en")
                QCoreApplication::installTranslator(&english);
            for (const char* theme : {"light", "dark"}) {
                QApplication::setPalette(QByteArray(theme) == "dark" ? dark : light);
                const QString suffix = QStringLiteral("_%1_%2.png").arg(QLatin1String(language), QLatin1String(theme));
                EveryWindow([&](const char* name, QWidget* window) {
                    QString file = QString::fromLatin1(name).replace(QLatin1Char(' '), QLatin1Char('_'));
                    window->show();
                    QVERIFY(QTest::qWaitForWindowExposed(window));
                    saved += window->grab().save(dir + QLatin1Char('/') + file + suffix);
                    // The other pages of a window with tabs, as <window>_page<N>.
                    if (auto* pages = window->findChild<QTabWidget*>()) {
                        for (int page = 1; page < pages->count(); ++page) {
                            pages->setCurrentIndex(page);
                            window->grab().save(dir + QLatin1Char('/') + file + QStringLiteral("_page%1").arg(page) +
                                                suffix);
                        }
                        pages->setCurrentIndex(0);
                    }
                    if (auto* commands = window->findChild<QMenu*>(QStringLiteral("PopupMenu1"))) {
                        commands->popup(QPoint(0, 0));
                        QVERIFY(QTest::qWaitForWindowExposed(commands));
                        saved += commands->grab().save(dir + QStringLiteral("/command_menu") + suffix);
                        commands->hide();
                    }
                    window->hide();
                });
            }
        }
        QCoreApplication::removeTranslator(&english);
        QApplication::setPalette(light);
        QCOMPARE(saved, 4 * 10);
    }

    void accessibilityTreeNamesEveryControl()
    {
        // In both languages: every control named, no name with an access-key
        // marker or a caption's colon.
        QTranslator english;
        QVERIFY(english.load(QStringLiteral("zelvaro_en"), QStringLiteral(":/i18n")));
        for (const bool inEnglish : {false, true}) {
            if (inEnglish)
                QVERIFY(QCoreApplication::installTranslator(&english));
            QStringList unnamed;
            EveryWindow([&](const char* name, QWidget* window) {
                for (const QString& control : UnnamedControls(window))
                    unnamed << QString::fromLatin1(name) + QStringLiteral(": ") + control;
                for (QWidget* w : window->findChildren<QWidget*>()) {
                    if (!IsControl(w) || qobject_cast<QAbstractSpinBox*>(w->parentWidget()))
                        continue;
                    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(w);
                    const QString spoken = node ? node->text(QAccessible::Name) : QString();
                    if (spoken.contains(QLatin1Char('&')) || spoken.trimmed().endsWith(QLatin1Char(':')) ||
                        spoken.trimmed().endsWith(QChar(0xFF1A)))
                        unnamed << QString::fromLatin1(name) + QStringLiteral(": ") + w->objectName() +
                                       QStringLiteral(" is read as \"") + spoken + QLatin1Char('"');
                }
            });
            QCoreApplication::removeTranslator(&english);
            QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char('\n'))));
        }
    }
};

QTEST_MAIN(InterfaceTextsTest)
#include "interface_texts_test.moc"
