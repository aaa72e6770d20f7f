#include "ScreenshotTour.h"

#include "AppFolder.h"
#include "CreateCommand.h"
#include "MainWindow.h"
#include "ScriptedPlatform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>

#include <cstdio>

#include <algorithm>

namespace {
// A message (not a question) means the tour went wrong.
bool saidSomething(const ScriptedPlatform& platform)
{
    return std::any_of(platform.messages.cbegin(), platform.messages.cend(),
                       [](const ScriptedPlatform::Message& message) { return !message.yesNo; });
}

const char* const ExampleReview =
    "SEO Traffic Toolkit is the checklist-driven way to get review pages ranking without paid tools. The keyword "
    "worksheet found three low-competition phrases for my niche in under an hour, and the 48-point on-page checklist "
    "caught mistakes I had been making for years.\n\n"
    "It is not a magic button: you still write the content. But if you want a clear, repeatable process, this is "
    "<b>the best value</b> I have seen this year.";

void settle()
{
    for (int round = 0; round < 5; ++round)
        QApplication::processEvents();
}

void fail(const QString& text)
{
    std::fprintf(stderr, "orvanta_screenshots: %s\n", qPrintable(text));
}
} // namespace

ScreenshotTour::ScreenshotTour(MainWindow& window, ScriptedPlatform& platform, const QString& coverImage,
                               const QString& outputFolder)
    : QObject(&window)
    , m_window(window)
    , m_platform(platform)
    , m_driver(platform, &window)
    , m_coverImage(coverImage)
    , m_outputFolder(outputFolder)
{
}

void ScreenshotTour::start()
{
    fillExample();
    if (!photographSteps() || !photographPreview()) {
        Q_EMIT finished(QString());
        return;
    }
    create();
}

void ScreenshotTour::fillExample()
{
    m_driver.chooseImage(0, QDir::toNativeSeparators(m_coverImage));
    m_driver.paste(QStringLiteral("txtMainTitle"), QStringLiteral("SEO Traffic Toolkit Review"));
    m_driver.paste(QStringLiteral("txtReview"), QString::fromUtf8(ExampleReview));
    m_driver.paste(QStringLiteral("txtCTAURL"), QStringLiteral("https://example.com/go/seo-traffic-toolkit"));

    m_window.ShowStep(1);
    if (!m_driver.selectBonusNamed(QStringLiteral("Email List Blueprint")))
        m_driver.selectBonus(0);
    m_driver.paste(
        QStringLiteral("txtAdTitle"),
        QStringLiteral("Yes, Get Your Copy with Our Private Bonus when Buying SEO Traffic Toolkit Through Our Link:"));
    m_driver.paste(QStringLiteral("txtCTAText"),
                   QStringLiteral("Click Here to Buy SEO Traffic Toolkit (Includes Our Bonus)"));
    m_driver.click(QStringLiteral("cmdBuiltInBonusInstructions"));
    m_driver.paste(QStringLiteral("txtPDFFilename"), QStringLiteral("seo-traffic-toolkit-review"));
    for (const char* name : {"txtMainTitle", "txtCTAURL", "txtAdTitle", "txtCTAText"})
        m_driver.control<QLineEdit>(QLatin1String(name))->setCursorPosition(0);
}

bool ScreenshotTour::photographSteps()
{
    const char* focused[] = {"txtMainTitle", "txtAdTitle", "txtPDFFilename"};
    for (int step = 0; step < 3; ++step) {
        m_window.ShowStep(step);
        m_driver.control(QLatin1String(focused[step]))->setFocus();
        settle();
        if (!save(m_window, QStringLiteral("step%1.png").arg(step + 1)))
            return false;
    }
    return true;
}

bool ScreenshotTour::photographPreview()
{
    m_window.ShowStep(1);
    m_driver.click(QStringLiteral("cmdProductPreview"));
    auto* viewer = m_window.findChild<QDialog*>(QStringLiteral("frmProductViewer"));
    if (!viewer || saidSomething(m_platform)) {
        fail(QStringLiteral("the product preview did not open"));
        return false;
    }
    settle();
    const bool saved = save(*viewer, QStringLiteral("preview.png"));
    viewer->close();
    settle();
    return saved;
}

void ScreenshotTour::create()
{
    m_window.ShowStep(2);
    connect(&m_window.createCommand(), &CreateCommand::finished, this, &ScreenshotTour::onCreated);
    m_driver.clickCreate();
}

void ScreenshotTour::onCreated()
{
    const QString pdf = AppFolder::outputFolder(m_window.appFolder()) + QDir::separator() +
                        m_driver.control<QLineEdit>(QStringLiteral("txtPDFFilename"))->text() + QStringLiteral(".pdf");
    if (saidSomething(m_platform) || !QFileInfo::exists(pdf)) {
        fail(QStringLiteral("\"Create\" made no PDF"));
        Q_EMIT finished(QString());
        return;
    }
    Q_EMIT finished(pdf);
}

bool ScreenshotTour::save(QWidget& widget, const QString& fileName)
{
    const QString path = m_outputFolder + QDir::separator() + fileName;
    if (!widget.grab().save(path)) {
        fail(QStringLiteral("could not write %1").arg(path));
        return false;
    }
    std::fprintf(stderr, "saved %s\n", qPrintable(path));
    return true;
}
