#pragma once
// Answers modal dialogs the way a person would: by clicking a button.

#include <QString>
#include <QStringList>

struct SeenDialog {
    QString caption;
    QString text;
    QStringList buttons;
};

// Waits (up to a few seconds, in the background) for the next modal dialog,
// notes what it shows and clicks the button with `buttonCaption`.
// The returned pointer is filled in when that happened.
const SeenDialog* AnswerNextDialog(const QString& buttonCaption);
// How many dialogs were answered since the last reset.
int AnsweredDialogCount();
void ResetAnsweredDialogs();
