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

template <typename T> T* ScreenshotTour::control(const char* name) const
{
    T* found = m_window.findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("orvanta_screenshots: the window has no control %s", name);
    return found;
}

void ScreenshotTour::fillExample()
{
    m_platform.pickedFiles.enqueue(QDir::toNativeSeparators(m_coverImage));
    control<QAbstractButton>("cmdCoverSelect(0)")->click();
    control<QLineEdit>("txtMainTitle")->setText(QStringLiteral("SEO Traffic Toolkit Review"));
    control<QPlainTextEdit>("txtReview")->setPlainText(QString::fromUtf8(ExampleReview));
    control<QLineEdit>("txtCTAURL")->setText(QStringLiteral("https://example.com/go/seo-traffic-toolkit"));

    auto* catalogue = control<QListWidget>("lstProductItems");
    const QList<QListWidgetItem*> bonus =
        catalogue->findItems(QStringLiteral("Email List Blueprint"), Qt::MatchExactly);
    catalogue->setCurrentItem(bonus.value(0, catalogue->item(0)));
    control<QLineEdit>("txtAdTitle")
        ->setText(QStringLiteral(
            "Yes, Get Your Copy with Our Private Bonus when Buying SEO Traffic Toolkit Through Our Link:"));
    control<QLineEdit>("txtCTAText")
        ->setText(QStringLiteral("Click Here to Buy SEO Traffic Toolkit (Includes Our Bonus)"));
    control<QAbstractButton>("cmdBuiltInBonusInstructions")->click();
    control<QLineEdit>("txtPDFFilename")->setText(QStringLiteral("seo-traffic-toolkit-review"));
    for (const char* name : {"txtMainTitle", "txtCTAURL", "txtAdTitle", "txtCTAText"})
        control<QLineEdit>(name)->setCursorPosition(0);
}

bool ScreenshotTour::photographSteps()
{
    const char* focused[] = {"txtMainTitle", "txtAdTitle", "txtPDFFilename"};
    for (int step = 0; step < 3; ++step) {
        m_window.ShowStep(step);
        control(focused[step])->setFocus();
        settle();
        if (!save(m_window, QStringLiteral("step%1.png").arg(step + 1)))
            return false;
    }
    return true;
}

bool ScreenshotTour::photographPreview()
{
    m_window.ShowStep(1);
    control<QAbstractButton>("cmdProductPreview")->click();
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
    control<QAbstractButton>("cmdCreate")->click();
}

void ScreenshotTour::onCreated()
{
    const QString pdf = AppFolder::outputFolder(m_window.appFolder()) + QDir::separator() +
                        control<QLineEdit>("txtPDFFilename")->text() + QStringLiteral(".pdf");
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
