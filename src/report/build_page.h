#pragma once
// The classic page of the HTML step: `page` gets the head template, the header line, the
// medal table and the statistics table; `foot` gets the foot template. The text boxes
// Memo1 and Memo2 show them.
#include "report/page_inputs.h"

namespace gravmark {

class TextBoxLines;

// Empties both first. Throws gravmark::Error when a template exists but cannot be read;
// they then hold what had been put into them.
void buildPage(const PageInputs& inputs, TextBoxLines& page, TextBoxLines& foot);

}  // namespace gravmark
