#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sarw {

class Session;

// The codebooks of the menu "Ciselniky".
struct MenuCodebook {
    const char* name;    // as the command line names it ("materialy")
    const char* caption; // the menu item
    const char* kind;    // the file's name part ("Mater", "Ucto" ...)
    bool yearly;         // a codebook of the period's year
    int keys;            // key columns
};

const std::vector<MenuCodebook>& menuCodebooks();
// By its command-line name; null when there is none.
const MenuCodebook* findMenuCodebook(std::string_view name);
// The file of the codebook (a year's file missing is seeded from the previous year's).
std::string menuCodebookFile(Session& s, const MenuCodebook& codebook);
// What a codebook command sets before the window shows: the file, keys 1..n, and editing when
// the area check passes, viewing otherwise.
void prepareCodebookEditor(Session& s, const std::string& file, int keys);

} // namespace sarw
