#pragma once

#include <QList>
#include <QString>
#include <QStringList>

/**
 * The campaigns opened or saved last, newest first, in a small settings file that every window on the
 * application folder shares. A window changes its list in memory and stores its changes, not its list: store()
 * applies them to what the file holds then, under a lock, so no window drops what another one added.
 */
class RecentCampaigns {
public:
    static constexpr int maxCount = 10;

    struct Change {
        enum class Kind { Add, Remove, Clear };
        Kind kind;
        QString path;
    };

    /** The list as stored with the changes, or why they could not be stored. */
    struct Stored {
        QStringList paths;
        QString error;
    };

    /** Reads the list stored at @p settingsPath; a missing or unreadable file gives an empty one. */
    explicit RecentCampaigns(const QString& settingsPath);

    QString settingsPath() const;
    QStringList paths() const;
    /** Puts @p path first; the oldest beyond the limit drop out. */
    void add(const QString& path);
    void remove(const QString& path);
    void clear();
    /** The changes made since the last call, for store(). */
    QList<Change> takeChanges();
    /** Takes the list as stored, other windows' entries included; call it with every change stored. */
    void adopt(const QStringList& stored);
    /** Reads the stored list again; call it with every change stored. */
    void reload();

    /** Applies @p changes to the list stored at @p settingsPath and stores it; safe on any thread. */
    static Stored store(const QString& settingsPath, const QList<Change>& changes);

private:
    void change(const Change& change);

    QString m_settingsPath;
    QStringList m_paths;
    QList<Change> m_changes;
};
