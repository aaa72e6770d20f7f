#pragma once

#include <QString>

class MainWindow;
class QPushButton;
class QWidget;
class ScriptedPlatform;

/**
 * Drives a main window through its controls, as a user would: typing, clicking, picking images through
 * the scripted desktop's file picker. The tests, the benchmark probe and the docs tool share it.
 */
class WindowDriver {
public:
    explicit WindowDriver(ScriptedPlatform& platform, MainWindow* window = nullptr);

    MainWindow& window() const { return *m_window; }
    void setWindow(MainWindow* window) { m_window = window; }

    /** The named control; a missing one ends the run, since every later step would crash. */
    template <typename T = QWidget> T* control(const QString& name) const
    {
        return static_cast<T*>(checked(findControl(name, T::staticMetaObject.className()), name));
    }
    QPushButton* button(const QString& name) const;
    /** A left click at the middle of the named control. */
    void click(const QString& name) const;

    void type(const QString& name, const QString& text) const;
    /** Pasted rather than typed: key events cannot carry NUL, control characters, lone surrogates or megabytes. */
    void paste(const QString& name, const QString& text) const;
    void clickTickBox(const QString& name) const;
    void chooseImage(int index, const QString& path) const;
    void selectBonus(int row) const;
    /** Selects the catalogue entry shown as @p entry; false when the list has none. */
    bool selectBonusNamed(const QString& entry) const;
    void clickCreate() const;

private:
    QWidget* findControl(const QString& name, const char* className) const;
    static QWidget* checked(QWidget* found, const QString& name);

    ScriptedPlatform& m_platform;
    MainWindow* m_window;
};
