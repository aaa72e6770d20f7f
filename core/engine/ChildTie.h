#pragma once

namespace orvanta::engine {
/**
 * Called in a freshly forked engine, before it runs: a process group of its own, so a stop ends whatever it started
 * too, and tied to this program's life, so a killed or crashed Orvanta leaves no engine running. @p parent is this
 * program's id, read before the fork.
 */
void tieChildToParent(long parent);
} // namespace orvanta::engine
