#pragma once

#include "MainWindow.h"
#include "ScriptedPlatform.h"
#include "TestAppFolder.h"

#include <QObject>
#include <QTemporaryDir>
#include <QWidget>

#include <memory>

class QPushButton;

/** Remembers whether a widget was ever disabled, however briefly. */
class DisabledWatch final : public QObject {
public:
    explicit DisabledWatch(QWidget* widget);
    bool wasDisabled = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

/** What the wizard holds when "Create" is pressed; the defaults pass every check with a cloud bonus. */
struct WizardInput {
    QString pdfName = QStringLiteral("guide");
    bool affiliateImage = true;
    bool cloudBonus = true;
    bool ownBonus = false;
    bool ownImage = false;
    QString ctaUrl = QStringLiteral("https://example.com/buy");
    QString ctaText = QStringLiteral("Buy it now");
    QString adTitle = QStringLiteral("Get the bonus");
    QString review = QStringLiteral("A fine product");
    QString instructions = QStringLiteral("Mail us your receipt");
};

/**
 * A main window on a private copy of the application folder, with a scripted desktop. The wizard is
 * filled through its controls, as a user would.
 */
class WindowFixture final {
public:
    static constexpr int BonusRow = 0;

    /** With @p openNow false, write catalogue files first and then open(): start-up reads them. */
    explicit WindowFixture(bool openNow = true);
    ~WindowFixture();

    bool isValid() const;
    /** Starts the window, or closes it and starts a new one on the same folder, as a restart would. */
    MainWindow& open();
    MainWindow& window() const { return *m_window; }
    /** The named control; a missing one ends the test run, since every later step would crash. */
    template <typename T = QWidget> T* control(const QString& name) const
    {
        T* found = m_window->findChild<T*>(name);
        if (!found)
            qFatal("no control named %s", qPrintable(name));
        return found;
    }
    QPushButton* button(const QString& name) const;
    /** A left click at the middle of the named control. */
    void click(const QString& name) const;

    void fill(const WizardInput& input);
    void type(const QString& name, const QString& text);
    /** Pasted rather than typed: key events cannot carry NUL, control characters, lone surrogates or megabytes. */
    void paste(const QString& name, const QString& text);
    void clickTickBox(const QString& name);
    void chooseImage(int index, const QString& path);
    void selectBonus(int row);
    /** The product folder of the catalogue entry in @p row. */
    QString bonusFolder(int row) const;

    /** Clicks "Create" and waits until the job ended; false when it did not end in time. */
    bool create(int timeoutMs = 60000);
    void clickCreate();

    /** A small PNG outside the application folder. */
    QString makeImage(const QString& name, const QColor& color) const;
    /** Replaces the converter with a script that writes a minimal, whole PDF to its last argument. */
    void useQuickConverter() const;

    /** No job running: both buttons enabled, the please-wait indicator off. */
    bool isIdle() const;
    QStringList messageTitles() const;
    /** The messages with @p title, texts only. */
    QStringList messagesTitled(const QString& title) const;

    ScriptedPlatform platform;
    TestAppFolder app;
    QTemporaryDir outside;

private:
    std::unique_ptr<MainWindow> m_window;
};
