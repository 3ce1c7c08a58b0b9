#pragma once

#include <QString>

#include <string>

namespace sarw {

// The program's texts are Windows-1250 bytes; widgets take Unicode. These convert at that edge.
QString qs(const std::string& cp1250);
// Characters Windows-1250 lacks become '?'.
std::string cp(const QString& text);
// A message text as a box shows it: the program's carriage returns become line breaks.
QString boxText(const std::string& cp1250);

} // namespace sarw
