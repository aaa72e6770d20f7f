#pragma once

#include "CreateOptions.h"
#include "PageBuilder.h"
#include "PagePipeline.h"

#include <QString>

/** What the Create job needs of the window that runs it, and nothing more. */
class CreateSource {
public:
    /** The wizard's values now; review and instructions with CR LF line breaks. */
    virtual PageFields pageFields() const = 0;
    virtual bool isCatalogueEntryChosen() const = 0;
    /** What follows a whole PDF: fitting it, saving the web page. */
    virtual CreateOptions createOptions() const = 0;
    /** What "Add Built-In Instructions" does. */
    virtual void addBuiltInInstructions() = 0;
    /** A PDF the page preview just made, which Create takes when it is exactly what it would make. */
    virtual ReusablePdf reusablePdf() const { return {}; }
    /** Puts the blank-free page name back into the PDF name field. */
    virtual void showPageName(const QString& pageName) = 0;

protected:
    ~CreateSource() = default;
};
