#pragma once
// Answers modal dialogs the way a person would: by clicking a button.

#include <QString>
#include <QStringList>
#include <functional>

struct SeenDialog {
    QString caption;
    QString text;
    QStringList buttons;
};

// Waits (up to ten seconds, in the background) for the next modal dialog,
// notes what it shows and clicks the button with `buttonCaption`.
// The returned pointer is filled in when that happened.
const SeenDialog* AnswerNextDialog(const QString& buttonCaption);
// How many dialogs were answered since the last reset.
int AnsweredDialogCount();
void ResetAnsweredDialogs();

// Waits for the next file dialog, picks `filter` (when given) and `path`, and
// accepts; an empty path cancels it. `then` runs once it is answered, while the
// operation that asked is still running. Message dialogs asked for meanwhile
// wait until no file dialog is open. A newer call replaces one still waiting.
void AnswerNextFileDialog(const QString& path, const QString& filter = {},
                          std::function<void()> then = {});
// Drops the file dialog answer still waiting, whose `then` may refer to a
// test's locals: called when a test ends.
void StopAnsweringFileDialogs();
