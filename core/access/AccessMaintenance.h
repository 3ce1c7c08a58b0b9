#pragma once

#include <string>
#include <vector>

namespace sarw {

class Session;

// What the status "Zenit" may do from the login window besides logging in: delete the whole
// access system, or delete the marker files of users. Each of them ends the program afterwards.

// Checks the login typed so far; a status other than "Zenit" gets the error "Pro tuto akci
// nemate opravneni !" (the program is then to end). True for "Zenit".
bool maintenanceAllowed(Session& s);
// "Skutecne chceme zrusit soustavu vygenerovanych pristupu ?"; on "Ano" the access file is
// deleted ("Operaci se nepodarilo provest !" when it stays). True when it was deleted.
bool deleteAccessSystem(Session& s);
// The marker files LSar*.J beside the access file, by name without ".J", sorted. The access
// file's directory becomes the current one.
std::vector<std::string> accessMarkerNames(Session& s);
// Deletes the marker file of that name (".J" appended) beside the access file; when it cannot
// be deleted, the error "Operaci se nepodarilo provest !" and false.
bool deleteAccessMarker(Session& s, const std::string& name);
// C:\A_Run\Uzivatele\LSar_<user>.J of the current user, deleted when the rights table opens.
std::string userMarkerFile(const Session& s);
void deleteUserMarker(Session& s);

} // namespace sarw
