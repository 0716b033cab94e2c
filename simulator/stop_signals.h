#pragma once

namespace vor {

// How vor-sim learns that it should end: Ctrl+C, and SIGTERM and SIGHUP where the system has
// them. CatchStopSignals() must run before any thread is started, so that no thread is ended by
// one of them; WaitForStopSignal() then returns once one has arrived.
void CatchStopSignals();
void WaitForStopSignal();

}  // namespace vor
