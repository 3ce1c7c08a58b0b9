#pragma once

#include <string>
#include <string_view>

namespace sarw {

class Session;

// Archive generations: copies of a table in an archive directory, numbered _001 ... _NNN before
// the first point of the name, the oldest dropped when all are taken.

// The number of generations the program keeps of each table.
constexpr int kArchiveGenerations = 20;

// <data disk>\LSarW\Archiv
std::string archiveDir(const Session& s);
// The name with "_" and k in three digits inserted before the first point of its file name part
// (at the end when it has none): SarO.Cds, 1 → SarO_001.Cds.
std::string generationName(std::string_view name, int k);

// True when the file exists and no archived copy of it (its name with "*" before the first
// point) carries the file's day or a later one. Creates the archive directory.
bool needsArchiveByDate(Session& s, const std::string& file, const std::string& dir);
// The same with the full time stamp instead of the day.
bool needsArchiveByTime(Session& s, const std::string& file, const std::string& dir);

// Copies the file into dir as the next free generation (count generations at most, the oldest
// dropped when all exist) and gives the generation's full name; empty when the file does not
// exist. A failing file step shows the file-error box and halts; so does a count that is not
// even or not within 2 to 998.
std::string Archive(Session& s, const std::string& file, const std::string& dir, int count);

} // namespace sarw
