#pragma once
// Edits whose length limit counts the GBK bytes their text is stored as.

class QLineEdit;
class QString;

// The longest start of `text` that takes at most `bytes` GBK bytes; never
// half a character.
QString CutToGbkBytes(const QString& text, int bytes);

// Typing and pasting stop at `bytes` GBK bytes, so what the user sees is
// what the field keeps.
void LimitToGbkBytes(QLineEdit* edit, int bytes);
