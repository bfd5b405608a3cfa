// Shared by the widget tests of the main window and the tray: a main window on
// its own INI store, a fixed clock, the French locale, and a notification area
// that only records what it is asked to show.
#pragma once

#include "astro/clock.h"
#include "mainwindow/mainwindow.h"
#include "tray/systray.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <ctime>
#include <memory>
#include <utility>

namespace harness {

// What the window asked of the notification area.
struct TrayLog {
    bool available = true;
    QStringList shownTips; // one entry per show()
    int hides = 0;
    bool shown = false;
};

class FakeTrayBackend : public lumora::TrayBackend
{
public:
    explicit FakeTrayBackend(std::shared_ptr<TrayLog> log) : log_(std::move(log)) {}
    bool available() const override { return log_->available; }
    void show(const QIcon &, const QString &toolTip) override
    {
        log_->shownTips << toolTip;
        log_->shown = true;
    }
    void hide() override
    {
        ++log_->hides;
        log_->shown = false;
    }

private:
    std::shared_ptr<TrayLog> log_;
};

// Paris time and French texts, whatever the machine says.
inline void fixEnvironment()
{
    qputenv("TZ", "Europe/Paris");
    tzset();
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
}

inline QDateTime utc(int year, int month, int day, int hour, int minute, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
}

// "Now" for the whole program until the next call.
inline void fixClock(const QDateTime &now)
{
    lumora::setClockSource([now] { return now; });
}

// The frame as four bar values (panorama twips: left X, right X, upper Y,
// lower Y), set through the bars as a user would. The frame is opened fully
// first so that no intermediate value is out of order.
inline void setFrame(lumora::MainWindow &w, int left, int right, int top, int bottom)
{
    w.HS1->setValue(0);
    w.HS2->setValue(w.HS2->maximum());
    w.VS1->setValue(0);
    w.VS2->setValue(w.VS2->maximum());
    w.HS1->setValue(left);
    w.HS2->setValue(right);
    w.VS1->setValue(top);
    w.VS2->setValue(bottom);
}

// Paris, 21 June 2026 at 12:00 UT: the Sun a little west of south, about 64°
// high (90 - 48.85 + 23.44 at solar noon). Azimuth 150°..210° and elevation
// 50°..80° hold it; azimuth 3.6°..35.8° does not.
inline constexpr int kFrameAroundNoonSun[4] = {4194, 5871, 482, 1927};
inline constexpr int kFrameInTheNorth[4] = {100, 1000, 482, 1927};
inline void setFrame(lumora::MainWindow &w, const int (&f)[4]) { setFrame(w, f[0], f[1], f[2], f[3]); }

// Replaces a text box's text with typed keys.
inline void typeInto(QLineEdit *box, const QString &text)
{
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
}

// Clicks a button as a user would, near its left end (where a check box or an
// option button has its mark).
inline void click(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

inline QMessageBox *searchMessage()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->objectName() == u"SearchMessage")
            return qobject_cast<QMessageBox *>(widget);
    return nullptr;
}

// A main window on its own settings file, shown on the (offscreen) screen.
// The store's keys go into the group DATA before the window starts.
class TestWindow
{
public:
    explicit TestWindow(const QList<std::pair<QString, QString>> &stored = {})
    {
        store_ = std::make_unique<QSettings>(dir_.filePath(QStringLiteral("Lumora.ini")), QSettings::IniFormat);
        for (const auto &[key, value] : stored)
            store_->setValue(QStringLiteral("DATA/") + key, value);
        store_->sync();
        window_ = std::make_unique<lumora::MainWindow>(store_.get(), std::make_unique<FakeTrayBackend>(tray));
        window_->show();
        if (!QTest::qWaitForWindowExposed(window_.get()))
            qWarning("the main window was not exposed");
    }

    lumora::MainWindow &operator*() { return *window_; }
    lumora::MainWindow *operator->() { return window_.get(); }
    QString iniPath() const { return store_->fileName(); }

    std::shared_ptr<TrayLog> tray = std::make_shared<TrayLog>();

private:
    QTemporaryDir dir_;
    std::unique_ptr<QSettings> store_;
    std::unique_ptr<lumora::MainWindow> window_;
};

} // namespace harness
