#pragma once

namespace sarw {

// Failures made on purpose, so that tests can prove every writer leaves the old file or the new
// one. The variable SARW_FAULT, read once at start, names one:
// - write:N, nospace:N: the N-th write fails with EIO, or with ENOSPC;
// - rename:N, fsync:N: the N-th rename, or flush to disk (file or folder), fails with EIO;
// - space:N: the N-th free-space query fails;
// - kill:N: the process kills itself (SIGKILL) at the N-th of all these operations together;
// - count: nothing fails; the counts go to stderr at exit as
//   "SARW_FAULT count write=W rename=R fsync=F space=S".
// Unset, every operation costs one predictable branch.
enum class FaultOp { Write, Rename, Fsync, Space };

namespace fault {
extern const bool armed;
// The error the operation is to fail with (errno), or 0; counts it.
int at(FaultOp op);
} // namespace fault

// Called by the platform's own writes, renames, flushes and free-space queries before the call.
inline int injectedFault(FaultOp op) {
    return __builtin_expect(fault::armed, false) ? fault::at(op) : 0;
}

} // namespace sarw
