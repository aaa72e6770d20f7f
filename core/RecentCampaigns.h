#pragma once

#include <QString>
#include <QStringList>

/** The campaigns opened or saved last, newest first, kept in a small settings file. */
class RecentCampaigns {
public:
    static constexpr int maxCount = 10;

    explicit RecentCampaigns(const QString& settingsPath);

    QStringList paths() const;
    /** Puts @p path first; the oldest beyond the limit drop out. */
    void add(const QString& path);
    void remove(const QString& path);
    void clear();
    /** Why the list could not be stored, or an empty string. */
    QString lastError() const;

private:
    void store(const QStringList& paths);

    QString m_settingsPath;
    QString m_error;
};
