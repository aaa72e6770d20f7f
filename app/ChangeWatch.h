#pragma once

#include <functional>

class QWidget;

/** Calls @p onChange whenever the user changes a text box, text area or check box below @p root. */
void WatchForChanges(QWidget* root, const std::function<void()>& onChange);
