#pragma once

/** Gives the application Orvanta's look; call once, right after the QApplication exists. */
void applyAppLook();
