// A main window for widget tests: shown, on its own INI store (seeded with
// keys of the group DATA, or "Group/Key" of any other), with a notification area that only records what it
// is asked, and helpers to fix the clock and drive the controls.
#pragma once

#include "astro/clock.h"
#include "mainwindow/mainwindow.h"
#include "support/windowcontrols.h"
#include "tray/trayicon.h"

#include <QtTest>
#include <QtWidgets>
#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace lumora::testing {

inline const QString kTipIn = QStringLiteral("Le Soleil est dans la fenêtre");
inline const QString kTipOut = QStringLiteral("Il n'y a pas de Soleil dans la fenêtre");

struct FakeTray : TrayBackend {
    bool isAvailable = true;
    QStringList calls;    // the tooltip of each icon shown, and "hide"
    QList<QImage> icons;  // the picture of each icon shown
    bool available() const override { return isAvailable; }
    void show(const QIcon &icon, const QString &tip) override
    {
        calls << tip;
        icons << icon.pixmap(16, 16).toImage();
    }
    void hide() override { calls << QStringLiteral("hide"); }
    bool shown() const { return !calls.isEmpty() && calls.last() != u"hide"; }
};

class TestWindow
{
public:
    explicit TestWindow(const QList<std::pair<QString, QString>> &stored = {})
        : store_(dir_.filePath(QStringLiteral("Lumora.ini")), QSettings::IniFormat)
    {
        for (const auto &[key, value] : stored)
            store_.setValue(key.contains(u'/') ? key : QStringLiteral("DATA/") + key, value);
        store_.sync();
        auto backend = std::make_unique<FakeTray>();
        tray = backend.get();
        window_ = std::make_unique<MainWindow>(&store_, std::move(backend));
        window_->show();
    }
    MainWindow *operator->() { return window_.get(); }
    MainWindow &operator*() { return *window_; }
    QString iniPath() const { return store_.fileName(); }
    // The program started again on the same settings file, this window left as it is.
    MainWindow &nextStart()
    {
        nextStore_ = std::make_unique<QSettings>(iniPath(), QSettings::IniFormat);
        next_ = std::make_unique<MainWindow>(nextStore_.get(), std::make_unique<FakeTray>());
        return *next_;
    }
    QString folder() const { return dir_.path(); }
    FakeTray *tray = nullptr; // owned by the window

private:
    QTemporaryDir dir_;
    QSettings store_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<QSettings> nextStore_;
    std::unique_ptr<MainWindow> next_;
};

inline QDateTime utc(int y, int mo, int d, int h, int mi, int s = 0) { return {QDate(y, mo, d), QTime(h, mi, s), Qt::UTC}; }

inline void fixClock(const QDateTime &now) { setClockSource([now] { return now; }); }

inline void setZone(const char *zone)
{
    qputenv("TZ", zone);
    tzset();
}

// The frame in panorama twips (left X, right X, upper Y, lower Y), opened
// fully first so that no intermediate value is out of order.
inline void setFrame(MainWindow &w, int left, int right, int top, int bottom)
{
    const WindowControls c = ui(w);
    const std::pair<QScrollBar *, int> bars[]{
        {c.frameLeftBar, left}, {c.frameRightBar, right}, {c.frameTopBar, top}, {c.frameBottomBar, bottom}};
    for (const auto &[bar, value] : bars)
        bar->setValue(bar == c.frameRightBar || bar == c.frameBottomBar ? bar->maximum() : 0);
    for (const auto &[bar, value] : bars)
        bar->setValue(value);
}

// Paris, 21 June 2026 at 12:00 UT: the Sun a little west of south, about 64°
// high (90 - 48.85 + 23.44): azimuth 150°..210° and elevation 50°..80° hold
// it, azimuth 3.6°..35.8° does not.
inline void frameSun(MainWindow &w, bool inside) { setFrame(w, inside ? 4194 : 100, inside ? 5871 : 1000, 482, 1927); }

// Near the left end, where a check box or an option button has its mark.
inline void click(QWidget *button) { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2)); }

inline QString dateBoxesText(MainWindow &w)
{
    const WindowControls c = ui(w);
    return c.dateBoxes[0]->currentText() + u'/' + c.dateBoxes[1]->currentText() + u'/' + c.dateBoxes[2]->currentText();
}

// Files this process writes stop at `bytes` while it lives: a write past it
// fails with EFBIG (instead of ending the process).
struct FileSizeLimit {
    rlimit old{};
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit limit = old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
};

inline QString exportPath() { return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Export.csv")); }

} // namespace lumora::testing
