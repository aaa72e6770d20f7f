#include "WindowFixture.h"

#include "AppFolder.h"
#include "Catalogue.h"
#include "CreateCommand.h"
#include "HelperOps.h"

#include <QAbstractItemView>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace orvanta::files;
using namespace orvanta::campaign;

DisabledWatch::DisabledWatch(QWidget* widget)
    : QObject(widget)
{
    widget->installEventFilter(this);
}

bool DisabledWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !static_cast<QWidget*>(watched)->isEnabled())
        wasDisabled = true;
    return false;
}

WindowFixture::WindowFixture(bool openNow)
    : WindowDriver(platform)
{
    if (app.isValid() && openNow)
        open();
}

WindowFixture::~WindowFixture() = default;

MainWindow& WindowFixture::open()
{
    m_ownedWindow.reset();
    m_ownedWindow = std::make_unique<MainWindow>(platform, app.path());
    setWindow(m_ownedWindow.get());
    QSignalSpy started(m_ownedWindow.get(), &MainWindow::started);
    m_ownedWindow->show();
    m_ownedWindow->activateWindow();
    if (!QTest::qWaitForWindowActive(m_ownedWindow.get()))
        qFatal("the main window never became active");
    // What follows the first paint runs before the test goes on, as it would before a user's first click.
    if (started.isEmpty() && !started.wait())
        qFatal("the main window never finished starting");
    return *m_ownedWindow;
}

bool WindowFixture::isValid() const
{
    return app.isValid() && outside.isValid();
}

void WindowFixture::fill(const WizardInput& input)
{
    m_ownedWindow->ShowStep(0);
    type("txtMainTitle", QStringLiteral("Orvanta Test Review"));
    type("txtReview", input.review);
    type("txtCTAURL", input.ctaUrl);
    if (input.affiliateImage)
        chooseImage(0, makeImage(QStringLiteral("cover.png"), Qt::darkCyan));

    m_ownedWindow->ShowStep(1);
    if (input.cloudBonus)
        selectBonus(BonusRow);
    if (input.ownBonus)
        clickTickBox("chkUseMyOwnBonus");
    if (input.ownImage)
        chooseImage(1, makeImage(QStringLiteral("ownbonus.png"), Qt::darkRed));
    type("txtAdTitle", input.adTitle);
    type("txtCTAText", input.ctaText);
    type("txtInstructions", input.instructions);

    m_ownedWindow->ShowStep(2);
    type("txtPDFFilename", input.pdfName);
}

QString WindowFixture::bonusFolder(int row) const
{
    const QString entry = Catalogue::entries(app.path()).value(row);
    const QString rawId = Catalogue::readProductId(app.path(), entry);
    return AppFolder::productsFolder(app.path()) + QDir::separator() + Catalogue::cleanProductId(rawId);
}

bool WindowFixture::create(int timeoutMs)
{
    QSignalSpy ended(&m_ownedWindow->createCommand(), &CreateCommand::finished);
    clickCreate();
    return !ended.isEmpty() || ended.wait(timeoutMs);
}

QString WindowFixture::makeImage(const QString& name, const QColor& color) const
{
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(color);
    const QString path = outside.filePath(name);
    image.save(path);
    return QDir::toNativeSeparators(path);
}

void WindowFixture::useQuickConverter() const
{
    app.useStandInConverter("for last; do :; done\nprintf '%%PDF-1.4\\n%%%%EOF\\n' > \"$last\"");
}

bool WindowFixture::isIdle() const
{
    return !m_ownedWindow->createCommand().isBusy() && button("cmdCreate")->isEnabled() &&
           button("cmdOutput")->isEnabled() && control("lblPleaseWait")->isHidden() &&
           !m_ownedWindow->findChild<QTimer*>(QStringLiteral("tmrPleaseWait"))->isActive();
}

QStringList WindowFixture::messageTitles() const
{
    QStringList titles;
    for (const ScriptedPlatform::Message& message : platform.messages)
        titles << message.title;
    return titles;
}

QStringList WindowFixture::messagesTitled(const QString& title) const
{
    QStringList texts;
    for (const ScriptedPlatform::Message& message : platform.messages) {
        if (message.title == title)
            texts << message.text;
    }
    return texts;
}
