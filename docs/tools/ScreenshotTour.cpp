#include "ScreenshotTour.h"

#include "AppFolder.h"
#include "CampaignController.h"
#include "CreateCommand.h"
#include "DesignGallery.h"
#include "MainWindow.h"
#include "PagePreview.h"
#include "ScriptedPlatform.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPdfDocument>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include <cstdio>

#include <algorithm>

using namespace orvanta::files;

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

void complain(const QString& text)
{
    std::fprintf(stderr, "orvanta_screenshots: %s\n", qPrintable(text));
}

// Two windows as they stand on the desktop, tops aligned, on a see-through background.
QImage sideBySide(const QPixmap& left, const QPixmap& right)
{
    constexpr qreal Gap = 24;
    const QSizeF first = left.deviceIndependentSize();
    const QSizeF second = right.deviceIndependentSize();
    const qreal ratio = left.devicePixelRatio();
    const QSizeF size(first.width() + Gap + second.width(), std::max(first.height(), second.height()));
    QImage image((size * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.drawPixmap(QPointF(0, 0), left);
    painter.drawPixmap(QPointF(first.width() + Gap, 0), right);
    return image;
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
    if (!saveCampaign() || !photographSteps() || !photographPreview() || !photographCampaignMenu() ||
        !photographSheet()) {
        Q_EMIT finished(QString());
        return;
    }
    photographPagePreview();
}

void ScreenshotTour::fillExample()
{
    m_driver.chooseImage(0, QDir::toNativeSeparators(m_coverImage));
    m_driver.paste(QStringLiteral("txtMainTitle"), QStringLiteral("SEO Traffic Toolkit Review"));
    m_driver.paste(QStringLiteral("txtReview"), QString::fromUtf8(ExampleReview));
    m_driver.paste(QStringLiteral("txtCTAURL"), QStringLiteral("https://example.com/go/seo-traffic-toolkit"));
    m_driver.paste(QStringLiteral("txt_utm_source"), QStringLiteral("pdf"));
    m_driver.paste(QStringLiteral("txt_utm_campaign"), QStringLiteral("seo-toolkit"));

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
        complain(QStringLiteral("the product preview did not open"));
        return false;
    }
    settle();
    const bool saved = save(*viewer, QStringLiteral("preview.png"));
    viewer->close();
    settle();
    return saved;
}

// Saved beside the application folder, so the header shows a real campaign name.
bool ScreenshotTour::saveCampaign()
{
    const QString path = QFileInfo(m_window.appFolder()).dir().filePath(QStringLiteral("SEO Traffic Toolkit.orvanta"));
    m_platform.pickedFiles.enqueue(QDir::toNativeSeparators(path));
    m_window.findChild<QAction*>(QStringLiteral("actSaveCampaign"))->trigger();
    if (saidSomething(m_platform) || m_window.campaigns().isModified()) {
        complain(QStringLiteral("the example campaign was not saved"));
        return false;
    }
    return true;
}

// An open menu runs its own event loop and is a window of its own, so the picture is taken from the
// screen, from inside that loop.
bool ScreenshotTour::photographCampaignMenu()
{
    m_window.ShowStep(0);
    // The title typed again: the header shows the unsaved mark, the page stays the same.
    auto* field = m_driver.control<QLineEdit>(QStringLiteral("txtMainTitle"));
    m_driver.type(QStringLiteral("txtMainTitle"), field->text());
    QMenu* menu = m_driver.control<QToolButton>(QStringLiteral("cmdCampaign"))->menu();
    bool saved = false;
    QTimer open;
    open.setSingleShot(true);
    // Down to the first field row, or to the menu's end if lower, so no row is cut through.
    connect(&open, &QTimer::timeout, this, [this, menu, field, &saved] {
        const int fieldBottom = field->mapToGlobal(QPoint(0, field->height())).y();
        QRect area = m_window.frameGeometry().united(menu->geometry());
        area.setBottom(std::max(menu->geometry().bottom(), fieldBottom) + 6);
        const QPixmap shot =
            QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
        saved = save(shot.toImage(), QStringLiteral("campaigns.png"));
        menu->close();
    });
    open.start(500);
    m_driver.click(QStringLiteral("cmdCampaign"));
    if (!saved)
        complain(QStringLiteral("the Campaign menu did not open"));
    return saved;
}

// A small sheet of offers over the example campaign, one row lacking its bonus, as the dialog lists it.
bool ScreenshotTour::photographSheet()
{
    const QString sheet = QFileInfo(m_window.appFolder()).dir().filePath(QStringLiteral("offers.csv"));
    QFile file(sheet);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write("mainTitle,affiliateLink,pdfFileName,utm_campaign,catalogueEntry\r\n"
                   "SEO Traffic Toolkit Review,,seo-toolkit,seo-toolkit,\r\n"
                   "Keto Made Easy Review,https://example.com/go/keto,keto-made-easy,keto,\r\n"
                   "\"Budget Planner, 2nd Edition\",https://example.com/go/budget?ref=7,budget-planner,budget,\r\n"
                   "Video Course Review,https://example.com/go/video,video-course,video,Old Bonus\r\n") < 0) {
        complain(QStringLiteral("the example sheet could not be written"));
        return false;
    }
    file.close();
    m_platform.pickedFiles.enqueue(QDir::toNativeSeparators(sheet));
    m_window.findChild<QAction*>(QStringLiteral("actSheet"))->trigger();
    auto* dialog = m_window.findChild<QDialog*>(QStringLiteral("frmSheet"));
    if (!dialog) {
        complain(QStringLiteral("the spreadsheet window did not open"));
        return false;
    }
    QApplication::processEvents();
    const bool saved = save(*dialog, QStringLiteral("sheet.png"));
    dialog->close();
    return saved;
}

// The preview runs the real converter; the picture waits until its render ended, or a minute.
void ScreenshotTour::photographPagePreview()
{
    constexpr qint64 RenderLimitMs = 60000;
    m_driver.click(QStringLiteral("cmdPagePreview"));
    auto* preview = m_window.findChild<PagePreview*>(QStringLiteral("frmPagePreview"));
    if (!preview) {
        complain(QStringLiteral("the page preview did not open"));
        Q_EMIT finished(QString());
        return;
    }
    preview->setGeometry(QRect(m_window.geometry().topRight() + QPoint(24, 0), QSize(720, m_window.height())));
    auto* poll = new QTimer(this);
    QElapsedTimer waited;
    waited.start();
    connect(poll, &QTimer::timeout, this, [this, preview, poll, waited] {
        if (preview->isRendering() && waited.elapsed() < RenderLimitMs)
            return;
        poll->deleteLater();
        photographRenderedPreview(*preview);
    });
    poll->start(250);
}

void ScreenshotTour::photographRenderedPreview(PagePreview& preview)
{
    const QPdfDocument* page = preview.document();
    if (preview.isRendering() || !page || page->status() != QPdfDocument::Status::Ready ||
        !preview.message().isEmpty()) {
        complain(preview.message().isEmpty() ? QStringLiteral("the page preview showed no page within a minute")
                                             : QStringLiteral("the page preview says: ") + preview.message());
        Q_EMIT finished(QString());
        return;
    }
    // The view draws its pages off the window's thread; give it a moment.
    QTimer::singleShot(1500, this, [this, &preview] {
        const bool saved = save(sideBySide(m_window.grab(), preview.grab()), QStringLiteral("page-preview.png"));
        preview.close();
        if (saved)
            photographDesigns();
        else
            Q_EMIT finished(QString());
    });
}

// The gallery draws each design from the example with the real converter; the picture waits for all of them.
void ScreenshotTour::photographDesigns()
{
    constexpr qint64 RenderLimitMs = 120000;
    m_driver.click(QStringLiteral("cmdDesign"));
    auto* gallery = m_window.findChild<DesignGallery*>(QStringLiteral("frmDesigns"));
    if (!gallery) {
        complain(QStringLiteral("the design gallery did not open"));
        Q_EMIT finished(QString());
        return;
    }
    auto* poll = new QTimer(this);
    QElapsedTimer waited;
    waited.start();
    connect(poll, &QTimer::timeout, this, [this, gallery, poll, waited] {
        if (gallery->isRendering() && waited.elapsed() < RenderLimitMs)
            return;
        poll->deleteLater();
        const bool saved = save(*gallery, QStringLiteral("designs.png"));
        gallery->close();
        if (saved)
            create();
        else
            Q_EMIT finished(QString());
    });
    poll->start(250);
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
        complain(QStringLiteral("\"Create\" made no PDF"));
        Q_EMIT finished(QString());
        return;
    }
    Q_EMIT finished(pdf);
}

bool ScreenshotTour::save(QWidget& widget, const QString& fileName)
{
    return save(widget.grab().toImage(), fileName);
}

bool ScreenshotTour::save(const QImage& image, const QString& fileName)
{
    const QString path = m_outputFolder + QDir::separator() + fileName;
    if (!image.save(path)) {
        complain(QStringLiteral("could not write %1").arg(path));
        return false;
    }
    std::fprintf(stderr, "saved %s\n", qPrintable(path));
    return true;
}
