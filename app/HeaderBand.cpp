#include "HeaderBand.h"

#include "Branding.h"
#include "Controls.h"
#include "Platform.h"
#include "WindowColors.h"
#include "WindowLayout.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolButton>

namespace {
// Buttons on the navy band: light text in a thin frame that brightens under the mouse and with the focus; room
// on the right for a menu's arrow.
QString buttonStyle()
{
    return QStringLiteral("QToolButton { color: %1; background: transparent; border: 1px solid %2; border-radius: 3px;"
                          " padding: 3px 8px; }"
                          "QToolButton:hover, QToolButton:focus { border-color: %1; background: %3; }"
                          "QToolButton:pressed { background: %2; }"
                          "QToolButton#cmdCampaign { padding-right: 20px; }"
                          "QToolButton::menu-indicator { subcontrol-origin: padding; subcontrol-position: right center;"
                          " right: 5px; }")
        .arg(WindowColors::White.name(), WindowColors::HeaderButtonBorder.name(),
             WindowColors::HeaderButtonHover.name());
}

constexpr int AccentHeight = 3;
constexpr int LogoSize = 36;

constexpr int LeftButton = 1;
constexpr int RightButton = 2;
constexpr int MiddleButton = 4;
constexpr int ShiftKey = 1;
constexpr int CtrlKey = 2;
constexpr int AltKey = 4;

int buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return LeftButton;
    case Qt::RightButton:
        return RightButton;
    case Qt::MiddleButton:
        return MiddleButton;
    default:
        return 0;
    }
}

int shiftCode(Qt::KeyboardModifiers modifiers)
{
    return (modifiers.testFlag(Qt::ShiftModifier) ? ShiftKey : 0) +
           (modifiers.testFlag(Qt::ControlModifier) ? CtrlKey : 0) + (modifiers.testFlag(Qt::AltModifier) ? AltKey : 0);
}

void setFontStyle(QLabel* label, int pointSizeIncrease, bool bold)
{
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() + pointSizeIncrease);
    font.setBold(bold);
    label->setFont(font);
}
} // namespace

HeaderBand::HeaderBand(Platform& platform, QWidget* parent)
    : QWidget(parent)
    , m_platform(platform)
    , m_logo(new QLabel(this))
    , m_lblAppName(Controls::label(this, QStringLiteral("lblAppName"), QString()))
    , m_lblBy(Controls::label(this, QStringLiteral("lblBy"), QString()))
    , m_lblPleaseWait(Controls::label(this, QStringLiteral("lblPleaseWait"), tr("Please Wait")))
    , m_cmdPagePreview(new QToolButton(this))
    , m_cmdDesign(new QToolButton(this))
{
    setObjectName(QStringLiteral("Picture2"));
    Controls::setBackgroundColor(this, WindowColors::Navy);
    setAutoFillBackground(true);

    m_logo->setObjectName(QStringLiteral("imgLogo"));
    m_logo->setPixmap(QIcon(QStringLiteral(":/icons/orvanta.svg")).pixmap(LogoSize, LogoSize));
    m_logo->setAccessibleName(tr("Orvanta logo"));
    setFontStyle(m_lblAppName, 8, true);
    Controls::setTextColor(m_lblAppName, WindowColors::White);
    m_lblAppName->installEventFilter(this);
    Controls::setTextColor(m_lblBy, WindowColors::Silver);
    setFontStyle(m_lblPleaseWait, 1, true);
    Controls::setTextColor(m_lblPleaseWait, WindowColors::LightGrey);
    m_lblPleaseWait->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lblPleaseWait->hide();
    m_cmdPagePreview->setObjectName(QStringLiteral("cmdPagePreview"));
    m_cmdPagePreview->setText(tr("Page Preview"));
    m_cmdPagePreview->setAccessibleName(tr("Page Preview"));
    m_cmdPagePreview->setToolTip(tr("Shows the page as the PDF will look (Ctrl+Shift+P)"));
    m_cmdPagePreview->setFocusPolicy(Qt::StrongFocus);
    m_cmdDesign->setObjectName(QStringLiteral("cmdDesign"));
    m_cmdDesign->setText(tr("Design"));
    m_cmdDesign->setAccessibleName(tr("Design"));
    m_cmdDesign->setAccessibleDescription(tr("Choose the page's design and your brand's colours, fonts and logo"));
    m_cmdDesign->setToolTip(tr("Chooses the page's design and your brand (Ctrl+Shift+D)"));
    m_cmdDesign->setFocusPolicy(Qt::StrongFocus);
    setStyleSheet(buttonStyle());

    // The notice is placed by the window's resize step, outside this layout.
    // The name lines up with the step bar and the pages below it.
    const int left = WindowLayout::toPixels(WindowLayout::PageLeft, screen()->logicalDotsPerInch());
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(left, 0, left, AccentHeight);
    layout->setSpacing(10);
    layout->addWidget(m_logo, 0, Qt::AlignVCenter);
    layout->addWidget(m_lblAppName, 0, Qt::AlignVCenter);
    layout->addWidget(m_lblBy, 0, Qt::AlignVCenter);
    // Left of the stretch: the right end belongs to the "Please Wait" notice.
    layout->addSpacing(20);
    layout->addWidget(m_cmdPagePreview, 0, Qt::AlignVCenter);
    layout->addWidget(m_cmdDesign, 0, Qt::AlignVCenter);
    layout->addStretch();
}

void HeaderBand::setCaptions(const QString& appName, const QString& byLine)
{
    m_lblBy->setText(byLine);
    m_lblAppName->setText(appName);
}

QLabel* HeaderBand::pleaseWaitLabel() const
{
    return m_lblPleaseWait;
}

void HeaderBand::addCampaignControls(QWidget* controls)
{
    auto* row = static_cast<QHBoxLayout*>(layout());
    row->insertSpacing(row->indexOf(m_lblBy) + 1, 24);
    row->insertWidget(row->indexOf(m_lblBy) + 2, controls, 0, Qt::AlignVCenter);
}

QToolButton* HeaderBand::pagePreviewButton() const
{
    return m_cmdPagePreview;
}

QToolButton* HeaderBand::designButton() const
{
    return m_cmdDesign;
}

bool HeaderBand::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_lblAppName && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        lblAppName_MouseDown(buttonCode(mouse->button()), shiftCode(mouse->modifiers()));
    }
    return QWidget::eventFilter(watched, event);
}

void HeaderBand::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    QPainter(this).fillRect(0, height() - AccentHeight, width(), AccentHeight, WindowColors::Accent);
}

void HeaderBand::lblAppName_MouseDown(int button, int shift)
{
    if (button != RightButton || shift != ShiftKey)
        return;
    const QString text = tr("%1 %2\n\nLicensed to you under a non-exclusive reseller license.")
                             .arg(Branding::applicationName(), Branding::version());
    m_platform.showMessage(window(), text, tr("Non Exclusive Reseller License."), MessageIcon::Information);
}
