#pragma once

/** What Create does after the converter wrote the PDF; a campaign keeps these with its values. */
struct CreateOptions {
    /** Trim the blank tail of the PDF's last page. */
    bool fitToContent = true;
    /** Keep the page and what it needs as a folder beside the PDF, ready to publish. */
    bool saveWebPage = false;
    /** Scale pictures far larger than the page shows them down before converting, for a smaller PDF. */
    bool optimiseImages = true;
};
