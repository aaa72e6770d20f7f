#pragma once

#include <QDateTime>
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

/** Which slug a campaign's PDF takes, or why it cannot take the one asked for. */
struct SlugClaim {
    QString slug;
    QString error;
};

/**
 * Every short link Orvanta made, by slug: the one source the redirect files are written from. A slug points to one
 * target; two campaigns may share one only while they agree where it goes.
 */
class LinksTable final {
public:
    struct ReadResult;

    /** The table in @p path; a missing file is an empty table, a damaged one an error naming it. */
    static ReadResult read(const QString& path);
    /** Written whole beside @p path and renamed over it; an error naming the file, or empty. */
    QString write(const QString& path) const;

    const QList<LinkEntry>& entries() const { return m_entries; }
    const LinkEntry* find(const QString& slug) const;

    /**
     * The slug the PDF @p pdf takes for @p target: @p chosen when free or already agreeing, else an error naming
     * both campaigns; with none chosen, the one made from the PDF name, numbered when another PDF has it.
     */
    SlugClaim claim(const QString& chosen, const QString& pdf, const QString& campaign, const QString& target) const;
    /** Adds @p entry, or replaces the entry of its slug. */
    void record(const LinkEntry& entry);
    /** Points @p slug to @p target from now on; an error when there is no such slug or no such target. */
    QString repoint(const QString& slug, const QString& target, const QDateTime& when);
    void setLastCheck(const QString& slug, const QString& text);

private:
    QList<LinkEntry> m_entries; ///< by slug
};

struct LinksTable::ReadResult {
    LinksTable table;
    QString error;
};
