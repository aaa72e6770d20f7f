#pragma once

/**
 * What a screen reader or an automation tool learns about the window's own controls: the step bar
 * is a list of page tabs that can be pressed, a path label reads out the chosen path, a menu button opens
 * its menu when pressed, a panel button holds its dropped-down panel while it is open, and a combo box says its
 * caption and the caption's key.
 */
namespace AccessibleControls {
/** Registers the interfaces with Qt; later calls do nothing. */
void install();
} // namespace AccessibleControls
