// Natively there is no Cancel button: a host stops a load by asking for it,
// from a signal handler (Ctrl-C) or from another thread.
#pragma once

namespace kinfold {

// Makes the loads running in this process stop at their next progress
// step: LoadGEDCOMFile then answers False and leaves the database empty.
// A request made while no load runs is forgotten when the next one starts.
// Safe to call from a signal handler and from any thread.
void CancelLoad();

}  // namespace kinfold
