#include "WindowTestCase.h"

#include "Campaign.h"
#include "DesignGallery.h"
#include "LinksDialog.h"
#include "MainWindow.h"
#include "PathLabel.h"
#include "SheetDialog.h"
#include "Translations.h"

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>

#include <memory>

using namespace orvanta::files;

namespace {
enum class Surface { Step1, Step2, Step3, DesignGallery, LinksDialog, SheetDialog };

// The text as drawn: an accelerator's '&' is not, a doubled one is one '&'.
QString drawnText(QString text)
{
    return text.replace(QLatin1String("&&"), QChar(0x1)).remove(QLatin1Char('&')).replace(QChar(0x1), QLatin1Char('&'));
}

int widestLine(const QWidget* widget, const QString& text)
{
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, widget->fontMetrics().horizontalAdvance(line));
    return widest;
}

// The width a control leaves its text, or -1 for one whose text wraps, elides or is no plain text. Only what its
// parents and its window show of it counts: a control that fits its text can still be cut by a page that does not.
int roomForText(const QWidget* widget, QString* text)
{
    const QStyle* style = widget->style();
    const int width = widget->visibleRegion().boundingRect().intersected(widget->contentsRect()).width();
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        *text = label->text();
        const bool ownLayout = label->wordWrap() || qobject_cast<const PathLabel*>(label);
        return ownLayout || Qt::mightBeRichText(*text) ? -1 : width - 2 * label->margin();
    }
    if (qobject_cast<const QCheckBox*>(widget) || qobject_cast<const QRadioButton*>(widget)) {
        *text = static_cast<const QAbstractButton*>(widget)->text();
        const bool check = qobject_cast<const QCheckBox*>(widget);
        return width - style->pixelMetric(check ? QStyle::PM_IndicatorWidth : QStyle::PM_ExclusiveIndicatorWidth) -
               style->pixelMetric(check ? QStyle::PM_CheckBoxLabelSpacing : QStyle::PM_RadioButtonLabelSpacing);
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        *text = button->text();
        if (!button->icon().isNull())
            return -1;
        return width - 2 * style->pixelMetric(QStyle::PM_ButtonMargin);
    }
    return -1;
}

// A control its parents show only in part: a page too narrow for what a longer text pushed aside.
bool cutByParents(const QWidget* widget)
{
    const QWidget* parent = widget->parentWidget();
    if (!parent || qobject_cast<const QAbstractScrollArea*>(parent->parentWidget()))
        return false;
    return !parent->rect().contains(widget->geometry());
}

// Every shown control of @p root cut by its parents, and every label and button whose text is wider than its room.
QStringList clippedTexts(const QWidget* root)
{
    QStringList clipped;
    for (const QWidget* widget : root->findChildren<QWidget*>()) {
        if (widget->isVisibleTo(root) && !widget->isWindow() && cutByParents(widget))
            clipped << QStringLiteral("%1 (%2) is cut by its parent")
                           .arg(widget->objectName(), QLatin1String(widget->metaObject()->className()));
        QString text;
        const int room = roomForText(widget, &text);
        if (room < 0 || text.isEmpty() || !widget->isVisibleTo(root))
            continue;
        const int needed = widestLine(widget, drawnText(text));
        if (needed > room)
            clipped << QStringLiteral("%1 \"%2\": %3 wide in %4").arg(widget->objectName(), text).arg(needed).arg(room);
    }
    return clipped;
}
} // namespace

/** The window and its dialogs in German: the catalogue's texts fit where the design places them. */
class TestGermanWindow final : public WindowTestCase {
    Q_OBJECT

public:
    TestGermanWindow() { m_language = Translations::install({QStringLiteral("de-DE")}); }

private Q_SLOTS:
    void textsFit_data();
    void textsFit();
    void fieldsStartWithTheCampaignsDefaults();

private:
    QString m_language;
};

void TestGermanWindow::textsFit_data()
{
    QTest::addColumn<int>("surface");

    QTest::newRow("Step 1") << int(Surface::Step1);
    QTest::newRow("Step 2") << int(Surface::Step2);
    QTest::newRow("Step 3") << int(Surface::Step3);
    QTest::newRow("design gallery") << int(Surface::DesignGallery);
    QTest::newRow("short links") << int(Surface::LinksDialog);
    QTest::newRow("sheet") << int(Surface::SheetDialog);
}

void TestGermanWindow::textsFit()
{
    QFETCH(int, surface);
    QCOMPARE(m_language, QStringLiteral("de"));
    MainWindow& window = fx().window();
    std::unique_ptr<QWidget> dialog;
    QWidget* root = &window;
    switch (Surface(surface)) {
    case Surface::Step1:
    case Surface::Step2:
    case Surface::Step3:
        window.ShowStep(surface - int(Surface::Step1));
        break;
    case Surface::DesignGallery:
        fx().click(QStringLiteral("cmdDesign"));
        root = window.findChild<DesignGallery*>(QStringLiteral("frmDesigns"));
        break;
    case Surface::LinksDialog:
        dialog = std::make_unique<LinksDialog>(fx().platform, window.appFolder(), &window);
        root = dialog.get();
        break;
    case Surface::SheetDialog:
        dialog = std::make_unique<SheetDialog>(fx().platform, window.appFolder(), Campaign(), QString(), &window);
        root = dialog.get();
        break;
    }
    QVERIFY(root);
    root->show();
    QVERIFY(QTest::qWaitForWindowExposed(root));
    const QStringList clipped = clippedTexts(root);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
}

// The boxes' first values are the campaign's, which the page prints: no catalogue turns them German.
void TestGermanWindow::fieldsStartWithTheCampaignsDefaults()
{
    const Campaign defaults;
    const std::pair<const char*, QString> boxes[] = {{"txtMainTitle", defaults.mainTitle},
                                                     {"txtCTAURL", defaults.ctaUrl},
                                                     {"txtBonusHeadline", defaults.bonusHeadline},
                                                     {"txtAdTitle", defaults.ctaTitle},
                                                     {"txtCTAText", defaults.ctaText}};
    for (const auto& [name, value] : boxes)
        QCOMPARE(fx().control<QLineEdit>(QLatin1String(name))->text(), value);
}

QTEST_MAIN(TestGermanWindow)
#include "tst_germanwindow.moc"
