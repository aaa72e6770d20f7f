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
{
    if (app.isValid() && openNow)
        open();
}

WindowFixture::~WindowFixture() = default;

MainWindow& WindowFixture::open()
{
    m_window.reset();
    m_window = std::make_unique<MainWindow>(platform, app.path());
    m_window->show();
    m_window->activateWindow();
    if (!QTest::qWaitForWindowActive(m_window.get()))
        qFatal("the main window never became active");
    return *m_window;
}

bool WindowFixture::isValid() const
{
    return app.isValid() && outside.isValid();
}

QPushButton* WindowFixture::button(const QString& name) const
{
    return control<QPushButton>(name);
}

void WindowFixture::click(const QString& name) const
{
    QTest::mouseClick(control(name), Qt::LeftButton);
}

void WindowFixture::fill(const WizardInput& input)
{
    m_window->ShowStep(0);
    type("txtMainTitle", QStringLiteral("Orvanta Test Review"));
    type("txtReview", input.review);
    type("txtCTAURL", input.ctaUrl);
    if (input.affiliateImage)
        chooseImage(0, makeImage(QStringLiteral("cover.png"), Qt::darkCyan));

    m_window->ShowStep(1);
    if (input.cloudBonus)
        selectBonus(BonusRow);
    if (input.ownBonus)
        clickTickBox("chkUseMyOwnBonus");
    if (input.ownImage)
        chooseImage(1, makeImage(QStringLiteral("ownbonus.png"), Qt::darkRed));
    type("txtAdTitle", input.adTitle);
    type("txtCTAText", input.ctaText);
    type("txtInstructions", input.instructions);

    m_window->ShowStep(2);
    type("txtPDFFilename", input.pdfName);
}

void WindowFixture::type(const QString& name, const QString& text)
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

void WindowFixture::paste(const QString& name, const QString& text)
{
    if (auto* line = m_window->findChild<QLineEdit*>(name))
        line->setText(text);
    else
        control<QPlainTextEdit>(name)->setPlainText(text);
}

// At the box itself: a click on the empty part of a wide tick box does nothing.
void WindowFixture::clickTickBox(const QString& name)
{
    QWidget* box = control(name);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
}

void WindowFixture::chooseImage(int index, const QString& path)
{
    platform.pickedFiles.enqueue(path);
    const QString name = QStringLiteral("cmdCoverSelect(%1)").arg(index);
    click(name);
}

void WindowFixture::selectBonus(int row)
{
    auto* list = m_window->findChild<QAbstractItemView*>(QStringLiteral("lstProductItems"));
    const QModelIndex item = list->model()->index(row, 0);
    list->scrollTo(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
}

QString WindowFixture::bonusFolder(int row) const
{
    const QString entry = Catalogue::entries(app.path()).value(row);
    const QString rawId = vFile::LoadTextFile(Catalogue::productFilePath(app.path(), entry));
    return AppFolder::productsFolder(app.path()) + QDir::separator() + Catalogue::cleanProductId(rawId);
}

bool WindowFixture::create(int timeoutMs)
{
    QSignalSpy ended(&m_window->createCommand(), &CreateCommand::finished);
    clickCreate();
    return !ended.isEmpty() || ended.wait(timeoutMs);
}

void WindowFixture::clickCreate()
{
    m_window->ShowStep(2);
    QTest::mouseClick(button("cmdCreate"), Qt::LeftButton);
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
    return !m_window->createCommand().isBusy() && button("cmdCreate")->isEnabled() &&
           button("cmdOutput")->isEnabled() && control("lblPleaseWait")->isHidden() &&
           !m_window->findChild<QTimer*>(QStringLiteral("tmrPleaseWait"))->isActive();
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
