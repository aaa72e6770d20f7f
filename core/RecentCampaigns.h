#pragma once

#include <QString>
#include <QStringList>

/**
 * The campaigns opened or saved last, newest first, kept in a small settings file. Changes are made
 * in memory; write() stores a list, so the caller may do that on another thread.
 */
class RecentCampaigns {
public:
    static constexpr int maxCount = 10;

    /** Reads the list stored at @p settingsPath; a missing or unreadable file gives an empty one. */
    explicit RecentCampaigns(const QString& settingsPath);

    QString settingsPath() const;
    QStringList paths() const;
    /** Puts @p path first; the oldest beyond the limit drop out. False when the list stays as it was. */
    bool add(const QString& path);
    bool remove(const QString& path);
    bool clear();

    /** Stores @p paths; returns why that failed, or an empty string. */
    static QString write(const QString& settingsPath, const QStringList& paths);

private:
    bool replace(const QStringList& paths);

    QString m_settingsPath;
    QStringList m_paths;
};
