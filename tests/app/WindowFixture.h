#pragma once

#include "FakePlatform.h"
#include "MainWindow.h"
#include "TestAppFolder.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <memory>

/** A main window on a private copy of the application folder, with a scripted desktop. */
class WindowFixture {
public:
    TestAppFolder folder;
    FakePlatform platform;
    std::unique_ptr<MainWindow> window;

    /** Starts the window; write catalogue files before, since start-up reads them. */
    MainWindow& open()
    {
        window = std::make_unique<MainWindow>(platform, folder.path());
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            qFatal("the main window never became active");
        return *window;
    }

    template <typename T = QWidget> T* control(const QString& name) const
    {
        T* found = window->findChild<T*>(name);
        if (!found)
            qFatal("no control named %s", qPrintable(name));
        return found;
    }

    /** A left click at the middle of the named control. */
    void click(const QString& name) const { QTest::mouseClick(control(name), Qt::LeftButton); }
};
