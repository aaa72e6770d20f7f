#pragma once

#include "AppFolder.h"
#include "CampaignController.h"
#include "WindowTestCase.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QTextDocument>

/** What a label shows: Qt takes a text that looks like markup for rich text unless told it is plain. */
inline QString shownText(const QLabel* label)
{
    const bool rich = label->textFormat() == Qt::RichText ||
                      (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
    if (!rich)
        return label->text();
    QTextDocument document;
    document.setHtml(label->text());
    return document.toPlainText();
}

/** Base of the campaign commands' window tests: each test writes its files, then opens the window. */
class CampaignWindowCase : public WindowTestCase {
public:
    CampaignWindowCase()
        : WindowTestCase(false)
    {
    }

protected:
    void trigger(const QString& action) { fx().window().findChild<QAction*>(action)->trigger(); }
    QString headerText() const { return shownText(fx().control<QLabel>(QStringLiteral("lblCampaignName"))); }
    QStringList recoveryFiles() const
    {
        return QDir(orvanta::files::AppFolder::recoveryFolder(fx().app.path())).entryList(QDir::Files | QDir::Hidden);
    }
    CampaignController& campaigns() const { return fx().window().campaigns(); }
};
