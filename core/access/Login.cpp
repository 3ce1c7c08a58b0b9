#include "access/Login.h"

#include "access/AccessFile.h"
#include "shell/LSysDate.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

namespace sarw {

bool beginLogin(Session& s) {
    loadAccessFile(s);
    LoginState& l = s.login;
    l.typedPassword.clear();
    l.status.clear();
    l.rights.clear();
    if (l.loginFlag) return true;
    l.status = l.rights = "::::::::::";
    return false;
}

void setLoginUser(Session& s, std::string_view typed) {
    s.login.user = trimBoth(typed);
}

bool checkLogin(Session& s) {
    LoginState& l = s.login;
    const auto entries = loadAccessFile(s);
    l.status.clear();
    l.rights = "|";
    // No name is special and an empty password admits only an empty typed one: every right comes
    // from an entry whose name and password both match.
    for (const auto& e : entries) {
        if (e.name != l.user || e.password != l.typedPassword) continue;
        l.status = e.status;
        l.rights += e.status + "|";
    }
    if (!l.status.empty()) return true;
    information(s, "Chybne zadane jmeno nebo heslo !");
    return false;
}

bool login(Session& s, std::string_view user, std::string_view password) {
    setLoginUser(s, user);
    s.login.typedPassword = std::string(password);
    return checkLogin(s);
}

} // namespace sarw
