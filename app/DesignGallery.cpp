#include "DesignGallery.h"

#include "AppFolder.h"
#include "Controls.h"
#include "DesignThumbnails.h"
#include "LinkRules.h"
#include "PictureCheck.h"
#include "Platform.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::page;

namespace {
constexpr int NameRole = Qt::UserRole;

QComboBox* fontBox(QWidget* parent, const QString& name)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItem(DesignGallery::tr("The design's own"), QString());
    for (const QString& font : brandFonts())
        box->addItem(font, font);
    return box;
}

QLineEdit* colorBox(QWidget* parent, const QString& name)
{
    QLineEdit* box = Controls::lineEdit(parent, name);
    box->setPlaceholderText(DesignGallery::tr("the design's own, or #RRGGBB"));
    box->setMaxLength(7);
    return box;
}

// The same picture when chosen: the list would tint it, and the user must see the design's own colours.
QIcon thumbnailIcon(const QPixmap& picture)
{
    QIcon icon(picture);
    icon.addPixmap(picture, QIcon::Selected);
    return icon;
}

QPixmap shippedPicture(const Design& design)
{
    const QPixmap picture(design.thumbnailPath);
    return picture.isNull() ? picture : picture.scaledToWidth(DesignGallery::ThumbnailWidth, Qt::SmoothTransformation);
}
} // namespace

DesignGallery::DesignGallery(Platform& platform, const QString& appFolder, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_platform(platform)
    , m_appFolder(appFolder)
    , m_thumbnails(new DesignThumbnails(platform, appFolder, this))
{
    setObjectName(QStringLiteral("frmDesigns"));
    setWindowTitle(tr("Design"));
    setAccessibleName(tr("Design gallery"));
    buildControls();
    connect(m_thumbnails, &DesignThumbnails::thumbnailReady, this, &DesignGallery::onThumbnail);
    resize(4 * (ThumbnailWidth + 30) + 40, 580);
}

void DesignGallery::buildControls()
{
    m_lstDesigns = new QListWidget(this);
    m_lstDesigns->setObjectName(QStringLiteral("lstDesigns"));
    m_lstDesigns->setAccessibleName(tr("Designs"));
    m_lstDesigns->setAccessibleDescription(tr("Each design shows your own page; choose one to use it."));
    m_lstDesigns->setViewMode(QListView::IconMode);
    m_lstDesigns->setIconSize(QSize(ThumbnailWidth, ThumbnailWidth * 5 / 4));
    m_lstDesigns->setResizeMode(QListView::Adjust);
    m_lstDesigns->setMovement(QListView::Static);
    m_lstDesigns->setWordWrap(true);
    // One row of equal cells, scrolled sideways: a thumbnail that arrives later at another size, or a design
    // shown by its name alone, would otherwise leave the cells of a second row lying over the first.
    m_lstDesigns->setFlow(QListView::LeftToRight);
    m_lstDesigns->setWrapping(false);
    const int cellHeight = ThumbnailWidth * 5 / 4 + 2 * fontMetrics().lineSpacing() + 12;
    m_lstDesigns->setGridSize(QSize(ThumbnailWidth + 30, cellHeight));
    m_lstDesigns->setFixedHeight(cellHeight + style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                                 2 * m_lstDesigns->frameWidth() + 4);
    m_lblDesignInfo = Controls::label(this, QStringLiteral("lblDesignInfo"), QString());
    m_lblDesignInfo->setWordWrap(true);

    m_txtAccentColor = colorBox(this, QStringLiteral("txtAccentColor"));
    m_txtTextColor = colorBox(this, QStringLiteral("txtTextColor"));
    m_txtBackgroundColor = colorBox(this, QStringLiteral("txtBackgroundColor"));
    m_cboHeadingFont = fontBox(this, QStringLiteral("cboHeadingFont"));
    m_cboBodyFont = fontBox(this, QStringLiteral("cboBodyFont"));
    m_lblLogo = Controls::label(this, QStringLiteral("lblLogo"), QString());
    m_cmdChooseLogo = Controls::button(this, QStringLiteral("cmdChooseLogo"), tr("Choose &Logo..."));
    m_cmdNoLogo = Controls::button(this, QStringLiteral("cmdNoLogo"), tr("&No Logo"));
    m_txtLinkBase = Controls::lineEdit(this, QStringLiteral("txtLinkBase"));
    m_txtLinkBase->setPlaceholderText(tr("Empty for none, like https://example.com/go/"));
    m_lblBrandWarnings = Controls::label(this, QStringLiteral("lblBrandWarnings"), QString());
    m_lblBrandWarnings->setWordWrap(true);
    m_lblBrandWarnings->setStyleSheet(QStringLiteral("color: #a4000f;"));
    m_cmdDefaultBrand = Controls::button(this, QStringLiteral("cmdDefaultBrand"), tr("Use as my &default brand"));
    m_cmdDefaultBrand->setAccessibleDescription(tr("New campaigns start with this brand."));
    QPushButton* close = Controls::button(this, QStringLiteral("cmdCloseDesigns"), tr("Close"));

    auto* form = new QFormLayout;
    const std::pair<const char*, QWidget*> rows[] = {
        {QT_TRANSLATE_NOOP("DesignGallery", "&Accent colour:"), m_txtAccentColor},
        {QT_TRANSLATE_NOOP("DesignGallery", "&Text colour:"), m_txtTextColor},
        {QT_TRANSLATE_NOOP("DesignGallery", "&Background colour:"), m_txtBackgroundColor},
        {QT_TRANSLATE_NOOP("DesignGallery", "&Heading font:"), m_cboHeadingFont},
        {QT_TRANSLATE_NOOP("DesignGallery", "Bod&y font:"), m_cboBodyFont}};
    for (const auto& [caption, field] : rows) {
        QLabel* label = Controls::label(this, QString(), tr(caption));
        Controls::bindLabel(label, field);
        form->addRow(label, field);
    }
    auto* logoRow = new QHBoxLayout;
    logoRow->addWidget(m_lblLogo, 1);
    logoRow->addWidget(m_cmdChooseLogo);
    logoRow->addWidget(m_cmdNoLogo);
    form->addRow(Controls::label(this, QString(), tr("Logo:")), logoRow);
    QLabel* linkBase = Controls::label(this, QString(), tr("Short lin&ks at:"));
    Controls::bindLabel(linkBase, m_txtLinkBase);
    form->addRow(linkBase, m_txtLinkBase);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdDefaultBrand);
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lstDesigns);
    layout->addWidget(m_lblDesignInfo);
    layout->addWidget(Controls::heading(this, QStringLiteral("lblYourBrand"), tr("Your brand")));
    layout->addLayout(form);
    layout->addWidget(m_lblBrandWarnings);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(m_lstDesigns, &QListWidget::currentRowChanged, this, &DesignGallery::onEdited);
    for (QLineEdit* box : {m_txtAccentColor, m_txtTextColor, m_txtBackgroundColor, m_txtLinkBase})
        connect(box, &QLineEdit::textEdited, this, &DesignGallery::onEdited);
    for (QComboBox* box : {m_cboHeadingFont, m_cboBodyFont})
        connect(box, &QComboBox::currentIndexChanged, this, &DesignGallery::onEdited);
    connect(m_cmdChooseLogo, &QPushButton::clicked, this, &DesignGallery::cmdChooseLogo_Click);
    connect(m_cmdNoLogo, &QPushButton::clicked, this, [this] {
        m_brand.logoPath.clear();
        onEdited();
    });
    connect(m_cmdDefaultBrand, &QPushButton::clicked, this, &DesignGallery::cmdDefaultBrand_Click);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    setTabOrder(m_lstDesigns, m_txtAccentColor);
}

void DesignGallery::showFor(const QString& design, const Brand& brand, const PageFields& fields)
{
    follow(design, brand, fields);
    show();
    raise();
    activateWindow();
}

void DesignGallery::follow(const QString& design, const Brand& brand, const PageFields& fields)
{
    m_filling = true;
    m_brand = brand;
    fillDesigns(design);
    fillBrand(brand);
    m_filling = false;
    onEdited();
    QStringList usable;
    for (const Design& each : m_designs)
        if (each.usable())
            usable << each.name;
    m_thumbnails->render(fields, usable, ThumbnailWidth);
}

bool DesignGallery::isRendering() const
{
    return m_thumbnails->running() > 0;
}

void DesignGallery::fillDesigns(const QString& chosen)
{
    m_designs = Designs::list(m_appFolder);
    m_lstDesigns->clear();
    for (const Design& design : m_designs) {
        const QString title = design.usable() ? design.title : tr("%1 (unusable)").arg(design.title);
        auto* item = new QListWidgetItem(thumbnailIcon(shippedPicture(design)), title, m_lstDesigns);
        item->setData(NameRole, design.name);
        item->setData(Qt::AccessibleTextRole, title);
        item->setData(Qt::AccessibleDescriptionRole, design.usable() ? design.description : design.problem);
        item->setToolTip(Controls::plainToolTip(design.usable() ? design.description : design.problem));
        if (!design.usable())
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled & ~Qt::ItemIsSelectable);
        const bool isChosen = chosen.isEmpty() ? design.isClassic() : design.name == chosen;
        if (isChosen)
            m_lstDesigns->setCurrentItem(item);
    }
}

void DesignGallery::fillBrand(const Brand& brand)
{
    m_txtAccentColor->setText(brand.accentColor);
    m_txtTextColor->setText(brand.textColor);
    m_txtBackgroundColor->setText(brand.backgroundColor);
    m_cboHeadingFont->setCurrentIndex(qMax(0, m_cboHeadingFont->findData(brand.headingFont)));
    m_cboBodyFont->setCurrentIndex(qMax(0, m_cboBodyFont->findData(brand.bodyFont)));
    m_txtLinkBase->setText(brand.linkBase);
}

void DesignGallery::onThumbnail(const QString& design, const QImage& image)
{
    for (int row = 0; row < m_lstDesigns->count(); ++row)
        if (m_lstDesigns->item(row)->data(NameRole).toString() == design)
            m_lstDesigns->item(row)->setIcon(thumbnailIcon(QPixmap::fromImage(image)));
    // Laid out at once: the later layout a new picture asks for scrolls the list back to its start, and the chosen
    // design, shown when the gallery opened, out of view.
    m_lstDesigns->doItemsLayout();
    // A page shorter than its stand-in leaves the stand-in's foot and name below it unless the cell is drawn anew.
    m_lstDesigns->viewport()->update();
}

QString DesignGallery::chosenDesign() const
{
    const QListWidgetItem* item = m_lstDesigns->currentItem();
    const QString name = item ? item->data(NameRole).toString() : QString();
    // Classic is every campaign's design unless it names another: it stays a campaign as it always was.
    return name == Designs::classicName() ? QString() : name;
}

Brand DesignGallery::brandFromBoxes(QStringList* problems) const
{
    Brand brand = m_brand;
    const std::tuple<QLineEdit*, QString Brand::*, const char*> colors[] = {
        {m_txtAccentColor, &Brand::accentColor, QT_TRANSLATE_NOOP("DesignGallery", "accent colour")},
        {m_txtTextColor, &Brand::textColor, QT_TRANSLATE_NOOP("DesignGallery", "text colour")},
        {m_txtBackgroundColor, &Brand::backgroundColor, QT_TRANSLATE_NOOP("DesignGallery", "background colour")}};
    for (const auto& [box, member, name] : colors) {
        const QString text = box->text().trimmed();
        if (text.isEmpty() || isBrandColor(text))
            brand.*member = text;
        else
            *problems << tr("The %1 \"%2\" is no colour yet: write it as #RRGGBB.").arg(tr(name), text);
    }
    brand.headingFont = m_cboHeadingFont->currentData().toString();
    brand.bodyFont = m_cboBodyFont->currentData().toString();
    // Like a colour: a base being typed keeps the last whole one until it is one.
    const QString base = m_txtLinkBase->text().trimmed();
    const QString baseProblem = LinkRules::linkBaseProblem(base);
    if (baseProblem.isEmpty())
        brand.linkBase = base;
    else
        *problems << baseProblem;
    return brand;
}

void DesignGallery::onEdited()
{
    if (m_filling)
        return;
    QStringList problems;
    m_brand = brandFromBoxes(&problems);
    const QString name = chosenDesign();
    const Design design = Designs::find(m_appFolder, name);
    m_lblDesignInfo->setText(design.usable() ? design.description : design.problem);
    m_lblLogo->setText(m_brand.logoPath.isEmpty() ? tr("none") : QFileInfo(m_brand.logoPath).fileName());
    m_cmdNoLogo->setEnabled(!m_brand.logoPath.isEmpty());
    showWarnings(problems + contrastWarnings(m_brand, design.look));
    Q_EMIT lookChosen(name, m_brand);
}

void DesignGallery::showWarnings(const QStringList& problems)
{
    m_lblBrandWarnings->setText(problems.join(QLatin1Char('\n')));
    m_lblBrandWarnings->setAccessibleName(problems.isEmpty() ? tr("No colour problems")
                                                             : problems.join(QLatin1Char(' ')));
}

void DesignGallery::cmdChooseLogo_Click()
{
    const QString path = m_platform.pickFile(this, tr("Choose your logo"), QFileInfo(m_brand.logoPath).absolutePath(),
                                             {tr("Pictures (%1)").arg(picturePatterns().join(QLatin1Char(' ')))});
    if (path.isEmpty())
        return;
    const Result<void> picture = checkPicture(path);
    if (!picture.ok()) {
        m_platform.showMessage(this, picture.error(), tr("Error"), MessageIcon::Exclamation);
        return;
    }
    m_brand.logoPath = path;
    onEdited();
}

void DesignGallery::cmdDefaultBrand_Click()
{
    const Result<void> saved = writeDefaultBrand(AppFolder::defaultBrandPath(m_appFolder), m_brand);
    if (saved)
        m_platform.showMessage(this, tr("New campaigns will start with this brand."), tr("Done"),
                               MessageIcon::Information);
    else
        m_platform.showMessage(this, saved.error(), tr("Error"), MessageIcon::Exclamation);
}
