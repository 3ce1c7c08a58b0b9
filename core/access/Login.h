#pragma once

#include <string_view>

namespace sarw {

class Session;

// The login: a name and a password compared with the access-rights file give the current user,
// his status and his rights list (Session::login).

// The login window is shown: the access file is loaded (created when missing), the typed
// password, status and rights are cleared. Without the login flag the window closes at once
// with status and rights "::::::::::" (false).
bool beginLogin(Session& s);
// The user field: the text, trimmed, becomes the current user.
void setLoginUser(Session& s, std::string_view typed);
// The login window closes: every entry of the reloaded file whose name equals the current user
// exactly and whose password equals the typed one adds its status to the rights list; the last
// one gives the status. No match: "Chybne zadane jmeno nebo heslo !" and an empty status.
// True when a status was found.
bool checkLogin(Session& s);
// Name and password at once, as the command line gives them.
bool login(Session& s, std::string_view user, std::string_view password);

} // namespace sarw
