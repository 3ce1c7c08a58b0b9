#pragma once

#include "screens/GenerSes.h"
#include "support/DefText.h"
#include "support/TestSession.h"

#include <string>
#include <vector>

namespace sarw::test {

// A small stock table for the table report: plant, cost centre, material, quantity, value, a
// numeric column that is zero everywhere and a text column that is blank everywhere.
// C:\Data\Stav.Cds with C:\Data\Stav.Def; the clock is fixed at 17.05.2017 08:30:05.
class ReportFixture {
public:
    ReportFixture();

    // Writes the table with these records (texts as stored, one per field).
    void writeRows(const std::vector<std::vector<std::string>>& rows);
    // A request for the fixture's table, paged with the given page length.
    SesRequest request(long long pageLength = 60) const;
    // Generates and returns the report file's text; empty when no report was written.
    std::string generate(const SesRequest& r);

    TestSession t;
    static constexpr const char* kTable = "C:\\Data\\Stav.Cds";
    static constexpr const char* kDef = "C:\\Data\\Stav.Def";
};

// Lines joined as a report file holds them: CR LF after each.
std::string reportText(const std::vector<std::string>& lines);
// A table file of string fields of the given names and sizes.
void writeStringTable(TestSession& t, const std::string& name,
                      const std::vector<std::pair<std::string, int>>& fields,
                      const std::vector<std::vector<std::string>>& rows);

} // namespace sarw::test
