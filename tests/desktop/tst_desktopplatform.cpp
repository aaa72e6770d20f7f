#include "DesktopPlatform.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

/** The real message boxes show what they are given. */
class TestDesktopPlatform final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void messagesArePlainText_data();
    void messagesArePlainText();
};

using Ask = std::function<void(DesktopPlatform&, const QString&)>;
Q_DECLARE_METATYPE(Ask)

void TestDesktopPlatform::messagesArePlainText_data()
{
    QTest::addColumn<Ask>("ask");
    QTest::newRow("message") << Ask([](DesktopPlatform& platform, const QString& text) {
        platform.showMessage(nullptr, text, QStringLiteral("Error"), MessageIcon::Exclamation);
    });
    QTest::newRow("Yes or No") << Ask([](DesktopPlatform& platform, const QString& text) {
        platform.askYesNo(nullptr, text, QStringLiteral("Info"), MessageIcon::Question);
    });
    QTest::newRow("Save, Discard or Cancel") << Ask([](DesktopPlatform& platform, const QString& text) {
        platform.askSaveDiscardCancel(nullptr, text, QStringLiteral("Unsaved Changes"));
    });
}

void TestDesktopPlatform::messagesArePlainText()
{
    QFETCH(Ask, ask);
    // A path may hold what looks like markup; Qt would guess rich text and show "bold" and "<x>".
    const QString text = QStringLiteral("Could not read the image \"/tmp/<b>bold</b> &lt;x&gt;.png\".");
    QString shown;
    Qt::TextFormat format = Qt::RichText;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        shown = label ? label->text() : QString();
        format = label ? label->textFormat() : Qt::RichText;
        box->reject();
    });
    poll.start(10);
    DesktopPlatform platform;
    ask(platform, text);
    QCOMPARE(shown, text);
    QCOMPARE(format, Qt::PlainText);
}

QTEST_MAIN(TestDesktopPlatform)
#include "tst_desktopplatform.moc"
