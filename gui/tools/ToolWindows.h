#pragma once

#include <string>

class QWidget;

namespace sarw {

class Session;

enum class Tool { Expression, Calculator, Calendar, Clock };

// Shows a tool window without blocking the caller. Each exists once: an open one comes to the
// front, and moves under the caller, so that it can be used beside a modal caller; it goes with
// the window it last belonged to.
QWidget* showTool(Tool tool, Session& s, QWidget* caller);

// The calculator's memory line as shown, for the document form's F5; empty without a calculator.
std::string calculatorMemory();

// The date selected in the calendar when it last closed, "DD.MM.YYYY"; empty before that.
std::string pickedDate();

// Places a tool window 40 pixels from the right edge of the screen and 50 from its bottom.
void placeBottomRight(QWidget* w);

} // namespace sarw
