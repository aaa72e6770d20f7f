#include "ListEditor.h"

#include "Catalogue.h"
#include "CreateCommand.h"
#include "CreateJob.h"
#include "Designs.h"
#include "EngineNames.h"
#include "ListItemsPanel.h"
#include "ListJobs.h"
#include "ListRecovery.h"
#include "PageLanguage.h"
#include "PagePreview.h"
#include "Platform.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <tuple>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::page;
using namespace orvanta::preflight;
using namespace orvanta::run;

namespace {
QPushButton* commandButton(QDialogButtonBox* box, const QString& name, const QString& text)
{
    QPushButton* made = box->addButton(text, QDialogButtonBox::ActionRole);
    made->setObjectName(name);
    return made;
}
} // namespace

ListEditor::ListEditor(Platform& platform, const QString& appFolder, const QStringList& recentCampaigns,
                       QWidget* parent)
    : QDialog(parent)
    , m_platform(platform)
    , m_appFolder(appFolder)
    , m_items(new ListItemsPanel(platform, recentCampaigns, this))
    , m_create(new CreateCommand(*this, platform, appFolder, this))
    , m_recovery(std::make_unique<ListRecovery>(*this, platform, appFolder))
{
    setObjectName(QStringLiteral("listEditor"));
    buildForm();
    connect(m_items, &ListItemsPanel::changed, this, [this] { setModified(true); });
    connect(m_create, &CreateCommand::busyChanged, this, [this](bool busy) { m_createButton->setEnabled(!busy); });
    setList({}, {});
}

ListEditor::~ListEditor()
{
    if (!m_modified)
        m_recovery->discard();
}

void ListEditor::buildForm()
{
    auto* form = new QFormLayout;
    form->setObjectName(QStringLiteral("listForm"));
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    form->addRow(tr("&Title:"), addLine(QStringLiteral("txtListTitle"), tr("Title"), &ProductList::title));
    // A book's own texts; other kinds keep them without showing them.
    form->addRow(tr("Subtitle:"), addLine(QStringLiteral("txtListSubtitle"), tr("Subtitle"), &ProductList::subtitle));
    form->addRow(tr("Aut&hor:"), addLine(QStringLiteral("txtListAuthor"), tr("Author"), &ProductList::author));
    form->addRow(tr("&Introduction:"),
                 addText(QStringLiteral("txtListIntroduction"), tr("Introduction"), &ProductList::introduction));
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("cboListKind"));
    m_kind->addItem(tr("Comparison table"));
    m_kind->addItem(tr("Top list"));
    m_kind->addItem(tr("Book"));
    connect(m_kind, qOverload<int>(&QComboBox::activated), this, [this] { setModified(true); });
    form->addRow(tr("&Kind:"), m_kind);
    form->addRow(tr("&Products:"), m_items);
    auto* rows = new QHBoxLayout;
    for (const auto& [name, text, kind] : {std::tuple{"chkListRowPrice", tr("Price"), ListRow::Kind::Price},
                                           std::tuple{"chkListRowPros", tr("Pros"), ListRow::Kind::Pros},
                                           std::tuple{"chkListRowCons", tr("Cons"), ListRow::Kind::Cons},
                                           std::tuple{"chkListRowVerdict", tr("Verdict"), ListRow::Kind::Verdict}}) {
        auto* box = new QCheckBox(text, this);
        box->setObjectName(QLatin1String(name));
        connect(box, &QCheckBox::toggled, this, [this] { setModified(true); });
        rows->addWidget(box);
        m_rows << std::pair{box, kind};
    }
    form->addRow(tr("Rows (after the rating):"), rows);
    form->addRow(tr("How we &ranked:"),
                 addText(QStringLiteral("txtListHowWeRanked"), tr("How we ranked"), &ProductList::howWeRanked));
    form->addRow(tr("Closin&g text:"),
                 addText(QStringLiteral("txtListClosing"), tr("Closing text"), &ProductList::closing));
    m_hasCheckedOn = new QCheckBox(tr("Checked &on:"), this);
    m_hasCheckedOn->setObjectName(QStringLiteral("chkListCheckedOn"));
    m_checkedOn = new QDateEdit(this);
    m_checkedOn->setObjectName(QStringLiteral("dtListCheckedOn"));
    m_checkedOn->setCalendarPopup(true);
    connect(m_hasCheckedOn, &QCheckBox::toggled, m_checkedOn, &QWidget::setEnabled);
    connect(m_hasCheckedOn, &QCheckBox::toggled, this, [this] { setModified(true); });
    connect(m_checkedOn, &QDateEdit::dateChanged, this, [this] { setModified(true); });
    form->addRow(m_hasCheckedOn, m_checkedOn);
    QStringList designs{QString()};
    for (const Design& design : Designs::list(m_appFolder))
        designs << design.name;
    form->addRow(tr("&Design:"),
                 addChoice(QStringLiteral("cboListDesign"), tr("Design"), designs, &ProductList::design));
    form->addRow(tr("&Engine:"), addChoice(QStringLiteral("cboListEngine"), tr("Engine"),
                                           QStringList{QString()} + EngineNames::names(), &ProductList::engine));
    form->addRow(tr("&Language:"),
                 addChoice(QStringLiteral("cboListLanguage"), tr("Language"),
                           QStringList{QString()} + PageLanguage::choices(QLocale::system()), &ProductList::language));
    form->addRow(tr("PDF &name:"),
                 addLine(QStringLiteral("txtListPdfName"), tr("PDF name"), &ProductList::pdfFileName));
    m_saveWebPage = new QCheckBox(tr("Also save the &web page"), this);
    m_saveWebPage->setObjectName(QStringLiteral("chkListSaveWebPage"));
    connect(m_saveWebPage, &QCheckBox::toggled, this, [this] { setModified(true); });
    form->addRow(QString(), m_saveWebPage);

    auto* buttons = new QDialogButtonBox(this);
    connect(commandButton(buttons, QStringLiteral("cmdSaveList"), tr("&Save")), &QPushButton::clicked, this,
            &ListEditor::save);
    connect(commandButton(buttons, QStringLiteral("cmdSaveListAs"), tr("Save &As...")), &QPushButton::clicked, this,
            &ListEditor::saveAs);
    m_createButton = commandButton(buttons, QStringLiteral("cmdCreateList"), tr("&Create"));
    connect(m_createButton, &QPushButton::clicked, this, &ListEditor::create);
    connect(commandButton(buttons, QStringLiteral("cmdPreviewList"), tr("&Preview")), &QPushButton::clicked, this,
            &ListEditor::showPreview);
    connect(buttons->addButton(QDialogButtonBox::Close), &QPushButton::clicked, this, &QDialog::close);
    column->addWidget(buttons);
}

// One row per text of the list: a field more is a line more here and in buildForm.
QLineEdit* ListEditor::addLine(const QString& name, const QString& label, QString ProductList::*member)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setAccessibleName(label);
    connect(edit, &QLineEdit::textEdited, this, [this] { setModified(true); });
    m_lines << std::pair{edit, member};
    return edit;
}

QPlainTextEdit* ListEditor::addText(const QString& name, const QString& label, QString ProductList::*member)
{
    auto* edit = new QPlainTextEdit(this);
    edit->setObjectName(name);
    edit->setAccessibleName(label);
    edit->setTabChangesFocus(true);
    edit->setMaximumHeight(edit->fontMetrics().lineSpacing() * 5);
    connect(edit, &QPlainTextEdit::textChanged, this, [this] { setModified(true); });
    m_texts << std::pair{edit, member};
    return edit;
}

// Editable: a name the offered ones lack, from a file, is kept as it is and Create says what is wrong with it.
QComboBox* ListEditor::addChoice(const QString& name, const QString& label, const QStringList& values,
                                 QString ProductList::*member)
{
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    box->setAccessibleName(label);
    box->setEditable(true);
    box->addItems(values);
    connect(box, &QComboBox::currentTextChanged, this, [this] { setModified(true); });
    m_choices << std::pair{box, member};
    return box;
}

void ListEditor::setList(const ProductList& list, const QString& path)
{
    m_filling = true;
    m_base = list;
    m_path = path;
    for (const auto& [edit, member] : m_lines)
        edit->setText(list.*member);
    for (const auto& [edit, member] : m_texts)
        edit->setPlainText(list.*member);
    for (const auto& [box, member] : m_choices)
        box->setCurrentText(list.*member);
    m_kind->setCurrentIndex(static_cast<int>(list.kind));
    for (const auto& [box, kind] : m_rows)
        box->setChecked(std::any_of(list.rows.cbegin(), list.rows.cend(),
                                    [kind = kind](const ListRow& row) { return row.kind == kind; }));
    m_hasCheckedOn->setChecked(list.checkedOn.isValid());
    m_checkedOn->setEnabled(list.checkedOn.isValid());
    m_checkedOn->setDate(list.checkedOn.isValid() ? list.checkedOn : QDate::currentDate());
    m_saveWebPage->setChecked(list.saveWebPage);
    QList<QStringList> ownValues(list.items.size());
    for (const ListRow& row : list.rows)
        if (row.kind == ListRow::Kind::Own)
            for (qsizetype i = 0; i < ownValues.size(); ++i)
                ownValues[i] << row.values.value(i);
    m_items->setItems(list.items, ownValues);
    m_filling = false;
    setModified(false);
}

ProductList ListEditor::list() const
{
    ProductList list = m_base;
    for (const auto& [edit, member] : m_lines)
        list.*member = edit->text();
    for (const auto& [edit, member] : m_texts)
        list.*member = edit->toPlainText();
    for (const auto& [box, member] : m_choices)
        list.*member = box->currentText().trimmed();
    list.kind = static_cast<ProductList::Kind>(m_kind->currentIndex());
    list.checkedOn = m_hasCheckedOn->isChecked() ? m_checkedOn->date() : QDate();
    list.saveWebPage = m_saveWebPage->isChecked();
    list.items = m_items->items();
    readRows(list);
    return list;
}

// Rows keep their order; a row ticked anew goes last, and own rows take their values from the products as ranked.
void ListEditor::readRows(ProductList& list) const
{
    const QList<QStringList> ownValues = m_items->ownValues();
    QList<ListRow> rows;
    qsizetype own = 0;
    for (ListRow row : std::as_const(m_base.rows)) {
        const auto box = std::find_if(m_rows.cbegin(), m_rows.cend(),
                                      [&row](const auto& shown) { return shown.second == row.kind; });
        if (box != m_rows.cend() && !box->first->isChecked())
            continue;
        if (row.kind == ListRow::Kind::Own) {
            row.values.clear();
            for (const QStringList& values : ownValues)
                row.values << values.value(own);
            ++own;
        }
        rows << row;
    }
    for (const auto& [box, kind] : m_rows)
        if (box->isChecked() &&
            std::none_of(rows.cbegin(), rows.cend(), [kind = kind](const ListRow& row) { return row.kind == kind; }))
            rows << ListRow{kind, {}, {}};
    list.rows = rows;
}

bool ListEditor::save()
{
    return m_path.isEmpty() ? saveAs() : writeTo(m_path);
}

bool ListEditor::saveAs()
{
    const QString start =
        m_path.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) : m_path;
    QString path =
        m_platform.pickSaveFile(this, tr("Save List As"), start, {tr("Lists (*.%1)").arg(ListFile::extension())});
    if (path.isEmpty())
        return false;
    if (!ListFile::isListPath(path))
        path += QLatin1Char('.') + ListFile::extension();
    return writeTo(path);
}

bool ListEditor::writeTo(const QString& path)
{
    const ProductList shown = list();
    const Result<void> written = ListFile::write(path, shown);
    if (!written) {
        m_platform.showMessage(this, written.error(), tr("Error"), MessageIcon::Exclamation);
        return false;
    }
    m_base = shown;
    m_path = path;
    setModified(false);
    m_recovery->discard();
    Q_EMIT saved(path);
    return true;
}

// The list is read as it stands in the editor, saved or not; each campaign is read from its file now.
Result<std::shared_ptr<const ListRun>> ListEditor::prepared() const
{
    JobSettings settings;
    settings.app = m_appFolder;
    const QStringList entries = Catalogue::entries(m_appFolder);
    settings.catalogueEntries = QSet<QString>(entries.cbegin(), entries.cend());
    Result<ListRun> run = ListJobs::prepareList(list(), m_path.isEmpty() ? shownName() : m_path, settings);
    if (!run)
        return run.failure();
    return std::make_shared<const ListRun>(std::move(run).value());
}

PageOrder ListEditor::orderOf(const std::shared_ptr<const ListRun>& run, bool numbered)
{
    PageOrder order;
    order.fields = run->fields;
    order.options.saveWebPage = run->list.saveWebPage;
    ListJobs::fillOrder(order, run, numbered);
    return order;
}

void ListEditor::create()
{
    if (m_create->isBusy())
        return;
    const Result<std::shared_ptr<const ListRun>> run = prepared();
    if (!run) {
        m_platform.showMessage(this, run.error(), tr("Missing Info"), MessageIcon::Information);
        return;
    }
    const QString app = m_appFolder;
    m_create->createPrepared(orderOf(*run), [run = *run, app](const QString& pdfPath) -> Result<QStringList> {
        // The products' short links stand in the PDF now: the table must know them.
        const Result<void> recorded = ListJobs::recordShortLinks(app, *run);
        if (!recorded)
            return fail(tr("The PDF %1 was made. %2").arg(QDir::toNativeSeparators(pdfPath), recorded.error()));
        return ListJobs::ownPreflight(app, *run, pdfPath);
    });
}

// Follows the edits as the campaign's preview does; a product that cannot be read is said inside it.
void ListEditor::showPreview()
{
    if (!m_preview) {
        m_preview = new PagePreview(
            m_platform, m_appFolder, [] { return PageFields(); }, [] { return CreateOptions(); }, this);
        m_preview->setObjectName(QStringLiteral("listPreview"));
        m_preview->setWindowFlag(Qt::Window);
        m_preview->setWindowTitle(tr("List Preview"));
        m_preview->setOrderSource([this]() -> Result<PageOrder> {
            const Result<std::shared_ptr<const ListRun>> run = prepared();
            if (!run)
                return run.failure();
            // One print: the contents' numbers of a book are settled only when it is made.
            return orderOf(*run, false);
        });
    }
    m_preview->show();
    m_preview->renderNow();
}

bool ListEditor::adoptRecovered()
{
    setModified(true);
    const Result<void> adopted = m_recovery->adopt();
    if (!adopted)
        m_platform.showMessage(this, adopted.error(), tr("Error"), MessageIcon::Exclamation);
    return adopted.ok();
}

bool ListEditor::keepForRecovery()
{
    return m_recovery->keepNow();
}

void ListEditor::closeEvent(QCloseEvent* event)
{
    // Ending by a signal asks nothing and leaves the copy for the next start.
    const bool kept = m_recovery->isKept();
    if (m_modified && !kept) {
        const SaveAnswer answer = m_platform.askSaveDiscardCancel(
            this, tr("Do you want to save the changes to the list %1?").arg(shownName()), tr("Unsaved Changes"));
        if (answer == SaveAnswer::Cancel || (answer == SaveAnswer::Save && !save())) {
            event->ignore();
            return;
        }
    }
    m_create->cancel();
    if (!kept)
        m_recovery->discard();
    event->accept();
}

void ListEditor::setModified(bool modified)
{
    if (m_filling)
        return;
    m_modified = modified;
    if (modified)
        m_recovery->noteChange();
    if (m_preview && modified)
        m_preview->scheduleRender();
    setWindowTitle(modified ? tr("%1 - unsaved changes - List").arg(shownName()) : tr("%1 - List").arg(shownName()));
}

QString ListEditor::shownName() const
{
    return m_path.isEmpty() ? tr("New list") : QFileInfo(m_path).completeBaseName();
}
