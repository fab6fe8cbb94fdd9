#pragma once

class QLineEdit;

// Keeps a text field to the number of characters a file keeps of its value, counted
// as the files count them: a character outside the basic plane (an emoji) is one
// character, and one that does not fit whole is refused rather than cut in half.
void limitToCharacters(QLineEdit* edit, int kept);
