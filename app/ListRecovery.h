#pragma once

#include "AutosaveCopy.h"
#include "RecoveryStore.h"

#include <QString>

#include <functional>

class ListEditor;
class Platform;
class QWidget;
class RecentList;

/**
 * A list editor's unsaved work kept safe for a restart, as the main window keeps its campaign's: a copy written
 * once the changes pause, and at start the offer to reopen what a killed editor left, or to keep it as a list file.
 */
class ListRecovery final {
    Q_DISABLE_COPY_MOVE(ListRecovery)

public:
    /** Reopens a kept list in an editor of its own, @p sourcePath its file (empty for a new list). */
    using Reopen = std::function<ListEditor*(const ProductList& list, const QString& sourcePath)>;

    ListRecovery(ListEditor& editor, Platform& platform, const QString& appFolder);
    ~ListRecovery();

    void noteChange();
    /** The changes are saved or dropped: the copy goes, once any being written is done. */
    void discard();
    /** Writes the copy of unsaved changes now and leaves it for the next start; false when it could not. */
    bool keepNow();
    bool isKept() const;
    /** Takes over a restored list's copy: written at once, so the old one can go. */
    Result<void> adopt();

    /** Offers each list a killed editor left, newest first; each may be reopened, or is kept as a file. */
    static void offer(QWidget& window, Platform& platform, RecentList& recent, const QString& appFolder,
                      const Reopen& reopen);

private:
    AutosaveCopy::Write take();

    ListEditor& m_editor;
    Platform& m_platform;
    bool m_kept = false;
    RecoveryStore m_store;
    /** Last, so its writes are done before the store goes. */
    AutosaveCopy m_copy;
};
