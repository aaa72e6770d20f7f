#include "WindowTestCase.h"

#include "Sandbox.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTest>

using namespace orvanta::engine;

WindowTestCase::WindowTestCase(bool openAtInit)
    : m_openAtInit(openAtInit)
{
}

void WindowTestCase::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_path = qgetenv("PATH");
}

void WindowTestCase::init()
{
    m_fx = std::make_unique<WindowFixture>(m_openAtInit);
    QVERIFY(m_fx->isValid());
}

void WindowTestCase::cleanup()
{
    m_fx.reset();
    Sandbox::useProgram({});
    qputenv("PATH", m_path);
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}
