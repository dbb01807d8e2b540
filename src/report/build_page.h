#pragma once
// The page of the HTML step: Memo1 gets the head template, the header line, the medal
// table and the statistics table; Memo2 gets the foot template.
#include "report/page_inputs.h"

namespace gravmark {

class TextBoxLines;

// Empties both boxes first. Throws gravmark::Error when a template exists but cannot
// be read; the boxes then hold what had been put into them.
void buildPage(const PageInputs& inputs, TextBoxLines& memo1, TextBoxLines& memo2);

}  // namespace gravmark
