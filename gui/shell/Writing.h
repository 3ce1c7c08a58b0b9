#pragma once

#include "shell/ProgramEnd.h"
#include "shell/Session.h"
#include "start/DataDiskWrite.h"

namespace sarw {

// Runs a menu command that writes user data while it holds the data disk's writer lock; when
// another writer holds it, its warning has been shown and nothing runs.
template <class F> void writing(Session& s, F&& f) {
    guarded([&] {
        const DataDiskWrite writer(s);
        if (writer.held()) f();
    });
}

} // namespace sarw
