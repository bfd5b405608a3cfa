// A notification area that does nothing: the main window's tray for a
// benchmark run without a desktop.
#pragma once

#include "tray/trayicon.h"

class NoTray : public lumora::TrayBackend
{
public:
    bool available() const override { return true; }
    void show(const QIcon &, const QString &) override {}
    void hide() override {}
};
