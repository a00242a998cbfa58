#pragma once
// Screen readers name a control by its caption: "* 网址：" before an edit
// names it "网址".

class QLabel;
class QWidget;

// Makes `caption` the control's label (its buddy, for the reader's
// labelled-by relation) and the caption's words, up to the colon and without
// the required mark, the control's accessible name.
void NameAfterCaption(QWidget* control, QLabel* caption);
