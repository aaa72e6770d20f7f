#pragma once

#include "Result.h"

#include <QDateTime>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QString>

/** One short link: where it points and what made it. */
struct LinkEntry {
    QString slug;
    QString link;   ///< the short link itself, base and slug
    QString target; ///< the offer it redirects to, tags and all
    QString campaign;
    QString pdf; ///< the PDF's name; a campaign is known by the PDF it makes
    QDateTime made;
    QDateTime repointed; ///< invalid until the link is pointed elsewhere
    QString lastCheck;   ///< what the last link check said of it; empty before one
};

/**
 * Every short link Orvanta made, by slug: the one source the redirect files are written from. A slug points to one
 * target; two campaigns may share one only while they agree where it goes.
 */
class LinksTable final {
public:
    /**
     * The table in @p path; a missing file is an empty table, a damaged one (or one of a newer version) a failure
     * naming it, never an empty table.
     */
    static Result<LinksTable> read(const QString& path);
    /** Written whole beside @p path and renamed over it; a failure names the file. */
    Result<void> write(const QString& path) const;

    const QList<LinkEntry>& entries() const { return m_entries; }
    const LinkEntry* find(const QString& slug) const;

    /**
     * The slug the PDF @p pdf takes for @p target: @p chosen when free or already agreeing, else a failure naming
     * both campaigns; with none chosen, the one made from the PDF name, numbered when another PDF has it.
     */
    Result<QString> claim(const QString& chosen, const QString& pdf, const QString& campaign,
                          const QString& target) const;
    /** Adds @p entry, or replaces the entry of its slug. */
    void record(const LinkEntry& entry);
    /** Points @p slug to @p target from now on; fails when there is no such slug or no such target. */
    Result<void> repoint(const QString& slug, const QString& target, const QDateTime& when);
    void setLastCheck(const QString& slug, const QString& text);

private:
    QList<LinkEntry> m_entries; ///< by slug
    // What a newer Orvanta or a hand wrote beside the known fields, written back as read.
    QJsonObject m_rest;                   ///< the file's
    QHash<QString, QJsonObject> m_restOf; ///< each entry's, by slug
};
