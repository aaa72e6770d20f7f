#pragma once

#include "FakePlatform.h"
#include "TestAppFolder.h"

#include <QObject>
#include <QPointer>
#include <QTemporaryDir>
#include <QWidget>

#include <memory>

class MainWindow;
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
class CreateFixture {
public:
    static constexpr int BonusRow = 0;

    CreateFixture();
    ~CreateFixture();

    bool isValid() const;
    /** Closes the window and starts a new one on the same folder, as a restart of the program would. */
    void reopen();
    MainWindow& window() const { return *m_window; }
    QPushButton* button(const char* name) const;
    QWidget* control(const char* name) const;

    void fill(const WizardInput& input);
    void type(const char* name, const QString& text);
    void clickTickBox(const char* name);
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

    FakePlatform platform;
    TestAppFolder app;
    QTemporaryDir outside;

private:
    std::unique_ptr<MainWindow> m_window;
};

QByteArray bytesOf(const QString& path);
