#pragma once

#include "Campaign.h"
#include "ListFile.h"

#include <QDateTime>
#include <QString>

#include <memory>
#include <vector>

class QLockFile;

/** What a window keeps a copy of; each kind's copies are offered by the window that edits that kind. */
enum class RecoveryKind { Campaign, List };

/** A recovery copy whose window is gone; its lock is held until the copy is restored or kept. */
struct OrphanedCopy {
    QString copyPath;
    QString sourcePath; ///< the campaign file the window had open, or empty for a new one
    QDateTime lastChanged;
    std::unique_ptr<QLockFile> lock;

    OrphanedCopy();
    OrphanedCopy(OrphanedCopy&&) noexcept;
    OrphanedCopy& operator=(OrphanedCopy&&) noexcept;
    ~OrphanedCopy();
};

/**
 * One window's autosaved copy of its campaign below the application folder. Each window has its
 * own copy and holds a lock on it while it lives, so windows never overwrite each other's copy and
 * a copy whose lock is stale (its process ended without closing) is known to be orphaned.
 */
class RecoveryStore {
public:
    explicit RecoveryStore(const QString& app, RecoveryKind kind = RecoveryKind::Campaign);
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    /** Writes the copy; the first call makes the folder and takes the lock. Safe on any one thread at a time. */
    Result<void> save(const Campaign& campaign, const QString& sourcePath);
    /** As for a campaign; the store must be one of lists. */
    Result<void> save(const ProductList& list, const QString& sourcePath);
    /** A normal close: removes the copy and releases the lock. */
    void discard();
    QString copyPath() const;

    /** Copies of windows that are gone, oldest first, each locked for the caller. */
    static std::vector<OrphanedCopy> findOrphans(const QString& app, RecoveryKind kind = RecoveryKind::Campaign);
    /** After a restore: the orphan is no longer needed. */
    static void forget(OrphanedCopy& orphan);
    /** Keeps the orphan as an ordinary campaign file beside the copies, at the path it gives. */
    static Result<QString> keep(OrphanedCopy& orphan);

private:
    Result<void> lockOnce();
    Result<void> noteSource(Result<void> written, const QString& sourcePath);

    QString m_folder;
    RecoveryKind m_kind;
    QString m_id;
    std::unique_ptr<QLockFile> m_lock;
};
