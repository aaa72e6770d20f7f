#pragma once

#include "CreateSource.h"
#include "ListFile.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>
#include <utility>

class CreateCommand;
class ListItemsPanel;
class ListRecovery;
class PagePreview;
struct ListRun;
class Platform;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

/**
 * Edits one list of products and makes it: its texts, kind, products and rows, saved to its file through the
 * desktop, and Create through the same pipeline and messages as the wizard's. What it does not show of an opened
 * list (own rows' labels, the brand) is kept as it was read.
 */
class ListEditor final : public QDialog, private CreateSource {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ListEditor)

public:
    ListEditor(Platform& platform, const QString& appFolder, const QStringList& recentCampaigns, QWidget* parent);
    /** Destroyed without closing, as with the main window's end, it keeps its copy of unsaved changes. */
    ~ListEditor() override;

    /** Shows @p list, read from @p path (empty for a new list). */
    void setList(const ProductList& list, const QString& path);
    /** The list as the editor shows it now. */
    ProductList list() const;
    QString listPath() const { return m_path; }
    bool isModified() const { return m_modified; }

    /** Saves to the list's file, asking for one when it has none; false when nothing was saved. */
    bool save();
    bool saveAs();
    void create();
    /** Opens the list's live preview, or brings it up. */
    void showPreview();
    /** The list shown was restored from a copy: it is unsaved, and its copy is now this editor's. */
    bool adoptRecovered();
    /** Ending by a signal: the copy of unsaved changes is written now and the editor closes without asking. */
    bool keepForRecovery();

Q_SIGNALS:
    /** The list was written to @p path. */
    void saved(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    PageFields pageFields() const override { return {}; }
    bool isCatalogueEntryChosen() const override { return false; }
    CreateOptions createOptions() const override { return {}; }
    void addBuiltInInstructions() override {}
    void showPageName(const QString&) override {}

    Result<std::shared_ptr<const ListRun>> prepared() const;
    static PageOrder orderOf(const std::shared_ptr<const ListRun>& run, bool numbered = true);
    void buildForm();
    QLineEdit* addLine(const QString& name, const QString& label, QString ProductList::*member);
    QPlainTextEdit* addText(const QString& name, const QString& label, QString ProductList::*member);
    QComboBox* addChoice(const QString& name, const QString& label, const QStringList& values,
                         QString ProductList::*member);
    void readRows(ProductList& list) const;
    bool writeTo(const QString& path);
    void setModified(bool modified);
    QString shownName() const;

    Platform& m_platform;
    QString m_appFolder;
    QString m_path;
    /** The list as opened: what the editor keeps without showing it. */
    ProductList m_base;
    bool m_modified = false;
    bool m_filling = false;
    QList<std::pair<QLineEdit*, QString ProductList::*>> m_lines;
    QList<std::pair<QPlainTextEdit*, QString ProductList::*>> m_texts;
    QList<std::pair<QComboBox*, QString ProductList::*>> m_choices;
    QList<std::pair<QCheckBox*, ListRow::Kind>> m_rows;
    QComboBox* m_kind = nullptr;
    QCheckBox* m_hasCheckedOn = nullptr;
    QDateEdit* m_checkedOn = nullptr;
    QCheckBox* m_saveWebPage = nullptr;
    ListItemsPanel* m_items;
    QPushButton* m_createButton = nullptr;
    CreateCommand* m_create;
    QPointer<PagePreview> m_preview;
    std::unique_ptr<ListRecovery> m_recovery;
};
