#pragma once

#include "WindowFixture.h"

#include <QApplication>
#include <QObject>
#include <QTest>

#include <memory>

/**
 * Base of the window tests: a fresh window on its own application folder for every test, the
 * engines' search paths restored, and no window left over for the next test.
 */
class WindowTestCase : public QObject {
    Q_OBJECT

public:
    /** With @p openAtInit false a test writes its files first and then calls fx().open(). */
    explicit WindowTestCase(bool openAtInit = true);

protected:
    WindowFixture& fx() const { return *m_fx; }

protected Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

private:
    bool m_openAtInit;
    QByteArray m_path;
    std::unique_ptr<WindowFixture> m_fx;
};
