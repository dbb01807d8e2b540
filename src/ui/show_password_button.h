#pragma once
// The small button beside a password box. The box echoes a dot for every character, so
// that nobody reads the password over the user's shoulder; while the button is down the
// box shows the password as typed. Only what the box shows changes: its text, and so
// what the settings file keeps, is the password itself.
class QLineEdit;
class QToolButton;

namespace gravmark {

// Makes the box echo dots and puts the button, named `name`, just right of it, as high
// as the box.
QToolButton* addShowPasswordButton(QLineEdit* box, const char* name);

}  // namespace gravmark
