#include "ListRecovery.h"

#include "FileToolkit.h"
#include "ListEditor.h"
#include "Platform.h"
#include "RecentList.h"

#include <QLocale>

using namespace orvanta::files;
using namespace orvanta::campaign;

// The texts are the editor's, in its translation context.

namespace {
void keepAsFile(QWidget& window, Platform& platform, RecentList& recent, OrphanedCopy& orphan)
{
    const Result<QString> kept = RecoveryStore::keep(orphan);
    if (!kept) {
        platform.showMessage(&window, kept.error(), ListEditor::tr("Error"), MessageIcon::Exclamation);
        return;
    }
    recent.add(kept.value());
    platform.showMessage(&window,
                         ListEditor::tr("The unsaved list is kept as %1.\n\nYou can open it any time with Campaign > "
                                        "Open List or Open Recent.")
                             .arg(quotedPath(kept.value())),
                         ListEditor::tr("Info"), MessageIcon::Information);
}

bool reopen(QWidget& window, Platform& platform, OrphanedCopy& orphan, const ListRecovery::Reopen& open)
{
    const Result<ProductList> read = ListFile::read(orphan.copyPath);
    if (!read) {
        platform.showMessage(&window, read.error(), ListEditor::tr("Error"), MessageIcon::Exclamation);
        return false;
    }
    ListEditor* editor = open(read.value(), orphan.sourcePath);
    if (!editor->adoptRecovered())
        return false;
    RecoveryStore::forget(orphan);
    return true;
}
} // namespace

ListRecovery::ListRecovery(ListEditor& editor, Platform& platform, const QString& appFolder)
    : m_editor(editor)
    , m_platform(platform)
    , m_store(appFolder, RecoveryKind::List)
    , m_copy([this] { return take(); },
             [this](const QString& error) {
                 m_platform.showMessage(&m_editor,
                                        ListEditor::tr("Your changes to the list cannot be kept safe for a restart: "
                                                       "%1\n\nSave the list to keep them.")
                                            .arg(error),
                                        ListEditor::tr("Error"), MessageIcon::Exclamation);
             })
{
}

ListRecovery::~ListRecovery() = default;

AutosaveCopy::Write ListRecovery::take()
{
    if (!m_editor.isModified())
        return {};
    return [this, snapshot = m_editor.list(), source = m_editor.listPath()] { return m_store.save(snapshot, source); };
}

void ListRecovery::noteChange()
{
    m_copy.noteChange();
}

void ListRecovery::discard()
{
    m_copy.settle();
    m_store.discard();
}

bool ListRecovery::isKept() const
{
    return m_kept;
}

bool ListRecovery::keepNow()
{
    m_kept = true;
    return m_copy.writeNow().ok();
}

Result<void> ListRecovery::adopt()
{
    return m_copy.writeNow();
}

void ListRecovery::offer(QWidget& window, Platform& platform, RecentList& recent, const QString& appFolder,
                         const Reopen& open)
{
    std::vector<OrphanedCopy> orphans = RecoveryStore::findOrphans(appFolder, RecoveryKind::List);
    // Newest first: that is the work the user last saw.
    for (auto it = orphans.rbegin(); it != orphans.rend(); ++it) {
        const QString name = it->sourcePath.isEmpty() ? ListEditor::tr("an untitled list")
                                                      : ListEditor::tr("the list %1").arg(quotedPath(it->sourcePath));
        const QString text =
            ListEditor::tr("Orvanta was not closed normally. Unsaved changes to %1, last changed %2, were "
                           "kept.\n\nDo you want to restore them?")
                .arg(name, QLocale().toString(it->lastChanged, QLocale::LongFormat));
        const bool restore = platform.askYesNo(&window, text, ListEditor::tr("Restore List"), MessageIcon::Question);
        if (!restore || !reopen(window, platform, *it, open))
            keepAsFile(window, platform, recent, *it);
    }
}
