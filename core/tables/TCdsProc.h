#pragma once

#include "tables/CdsTable.h"

namespace sarw {

class Session;

// The table library: creates, opens, copies, sorts and converts table files. One instance per
// session; its parameters are the session's CdsParams.
class TCdsProc {
public:
    explicit TCdsProc(Session& session) : s_(session) {}

    // Module tables the operations use as scratch tables.
    CdsTable Table1, Table2, Table3;

private:
    Session& s_;
};

} // namespace sarw
