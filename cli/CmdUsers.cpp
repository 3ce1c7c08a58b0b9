#include "Args.h"
#include "Commands.h"

#include "access/AccessFile.h"
#include "access/Login.h"
#include "shell/LSysDate.h"
#include "shell/WinLSys.h"
#include "start/Startup.h"

#include <fstream>
#include <sstream>

namespace sarw::cli {

namespace {

int list(Context& ctx) {
    std::string text;
    for (const auto& e : loadAccessFile(ctx.session)) text += e.name + "\t" + e.status + "\n";
    out(text);
    return kOk;
}

// The words after the sub-command.
std::vector<std::string> rest(const Context& ctx) {
    return std::vector<std::string>(ctx.args.begin() + 1, ctx.args.end());
}

int check(Context& ctx) {
    std::string name, password;
    if (int rc = Args("users check").word("JMENO", name).word("HESLO", password).parse(rest(ctx)))
        return rc;
    Session& s = ctx.session;
    login(s, name, password);
    out("status: " + s.login.status + "\nrights: " + s.login.rights + "\n");
    return loginStatusAccepted(s.login.status) ? kOk : kFailure;
}

// Lines "name<TAB>password<TAB>status" in UTF-8; missing cells are empty.
bool readRows(Context& ctx, const std::string& file, std::vector<AccessEntry>& rows) {
    if (!fileExistsWarn(ctx.session, file)) return false;
    std::ifstream f(ctx.session.platform().native(file), std::ios::binary);
    if (!f) {
        warning(ctx.session, "Soubor nelze otevrit:\r\r     " + file);
        return false;
    }
    std::string line;
    while (std::getline(f, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string cells[3];
        std::istringstream in(arg1250(line));
        for (auto& cell : cells) std::getline(in, cell, '\t');
        rows.push_back({cells[0], cells[1], cells[2]});
    }
    return true;
}

// The rights table stores the rows up to the first blank name; from a file that would silently
// drop the users below such a row, so such a file is refused as a whole.
bool rowsComplete(Session& s, std::vector<AccessEntry>& rows) {
    while (!rows.empty() && isBlank(rows.back().name) && isBlank(rows.back().password) &&
           isBlank(rows.back().status))
        rows.pop_back();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!isBlank(rows[i].name)) continue;
        warning(s, "Radek " + std::to_string(i + 1) +
                       ": chybi jmeno uzivatele !\r\rPristupova prava nebudou ulozena.");
        return false;
    }
    const char* problem = rows.empty() ? "Tabulka pristupovych prav je prazdna !"
                          : rows.size() > kMaxAccessEntries ? "Zadej maximalne 200 polozek !"
                                                            : nullptr;
    if (problem) warning(s, std::string(problem) + "\r\rPristupova prava nebudou ulozena.");
    return !problem;
}

int set(Context& ctx) {
    std::string file;
    if (int rc = Args("users set").word("SOUBOR.tsv", file).parse(rest(ctx))) return rc;
    std::vector<AccessEntry> rows;
    if (!readRows(ctx, file, rows)) return kFailure;
    if (!rowsComplete(ctx.session, rows)) return kFailure;
    if (!saveAccessFile(ctx.session, rows)) return kFailure;
    out("entries: " + std::to_string(rows.size()) + "\n");
    return kOk;
}

int runUsers(Context& ctx) {
    const auto& a = ctx.args;
    if (a.empty()) return usageError("users: chybi prikaz");
    if (a[0] == "list" && a.size() > 1) return usageError("users list: nadbytecny argument: " + a[1]);
    if (a[0] == "list") return list(ctx);
    if (a[0] == "check") return check(ctx);
    if (a[0] == "set") return set(ctx);
    return usageError("users: neznamy prikaz " + a[0]);
}

const Registrar reg({"users",
                     "  users list                        user names and statuses\n"
                     "  users check NAME PASSWORD         the login: status and rights list\n"
                     "  users set FILE.tsv                rewrites the access rights from\n"
                     "                                    name<TAB>password<TAB>status lines\n",
                     runUsers, Writes::No, {{"list"}, {"check"}, {"set", Writes::Yes}}});

} // namespace

} // namespace sarw::cli
