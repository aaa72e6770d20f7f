#pragma once

#include "MainWindow.h"
#include "ScriptedPlatform.h"
#include "TestAppFolder.h"
#include "WindowDriver.h"

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
class WindowFixture final : public WindowDriver {
public:
    static constexpr int BonusRow = 0;

    /** With @p openNow false, write catalogue files first and then open(): start-up reads them. */
    explicit WindowFixture(bool openNow = true);
    ~WindowFixture();

    bool isValid() const;
    /** Starts the window, or closes it and starts a new one on the same folder, as a restart would. */
    MainWindow& open();

    void fill(const WizardInput& input);
    /** The product folder of the catalogue entry in @p row. */
    QString bonusFolder(int row) const;

    /** Clicks "Create" and waits until the job ended; false when it did not end in time. */
    bool create(int timeoutMs = 60000);

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
    std::unique_ptr<MainWindow> m_ownedWindow;
};
