#include "WindowDriver.h"

#include "MainWindow.h"
#include "ScriptedPlatform.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

WindowDriver::WindowDriver(ScriptedPlatform& platform, MainWindow* window)
    : m_platform(platform)
    , m_window(window)
{
}

QWidget* WindowDriver::findControl(const QString& name, const char* className) const
{
    for (QWidget* child : m_window->findChildren<QWidget*>(name)) {
        if (child->inherits(className))
            return child;
    }
    return nullptr;
}

QWidget* WindowDriver::checked(QWidget* found, const QString& name)
{
    if (!found)
        qFatal("no control named %s", qPrintable(name));
    return found;
}

QPushButton* WindowDriver::button(const QString& name) const
{
    return control<QPushButton>(name);
}

void WindowDriver::click(const QString& name) const
{
    QTest::mouseClick(control(name), Qt::LeftButton);
}

void WindowDriver::type(const QString& name, const QString& text) const
{
    QWidget* field = control(name);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(field, Qt::Key_Return);
        QTest::keyClicks(field, lines[i]);
    }
}

void WindowDriver::paste(const QString& name, const QString& text) const
{
    if (auto* line = m_window->findChild<QLineEdit*>(name))
        line->setText(text);
    else
        control<QPlainTextEdit>(name)->setPlainText(text);
}

// At the box itself: a click on the empty part of a wide tick box does nothing.
void WindowDriver::clickTickBox(const QString& name) const
{
    QWidget* box = control(name);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
}

void WindowDriver::chooseImage(int index, const QString& path) const
{
    m_platform.pickedFiles.enqueue(path);
    click(QStringLiteral("cmdCoverSelect(%1)").arg(index));
}

void WindowDriver::selectBonus(int row) const
{
    auto* list = control<QAbstractItemView>(QStringLiteral("lstProductItems"));
    const QModelIndex item = list->model()->index(row, 0);
    list->scrollTo(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
}

bool WindowDriver::selectBonusNamed(const QString& entry) const
{
    auto* list = control<QAbstractItemView>(QStringLiteral("lstProductItems"));
    const QModelIndexList found =
        list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, entry, 1, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    selectBonus(found.first().row());
    return true;
}

void WindowDriver::clickCreate() const
{
    m_window->ShowStep(2);
    QTest::mouseClick(button(QStringLiteral("cmdCreate")), Qt::LeftButton);
}
