#pragma once
// Between two work steps the window takes the requests that have waited in the queue while
// a step ran, above all a close of the window, and repaints. The user's input of that time
// (clicks, keys, the wheel) is dropped, not delivered: delivered now, a click on a button
// the step has just enabled would start a second handler in the middle of the run.
namespace gravmark {

// Delivers every waiting event except the user's input, which is discarded.
void deliverWaitingEventsWithoutInput();

}  // namespace gravmark
