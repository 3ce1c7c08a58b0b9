#pragma once

namespace sarw {

class Session;

// True, after a warning, when the work definition the sorts would write (WorkDef) names the
// input's definition (InDef): a definition the user gave is never overwritten by a work file.
bool workDefWouldReplaceInDef(Session& s);

} // namespace sarw
