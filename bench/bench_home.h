#pragma once
// A private home for a benchmark's run, made before the application object:
// HOME and XDG_DATA_HOME point into it and the product site refuses every
// connection, so nothing of the user's is read or written.

#include <QString>
#include <QTemporaryDir>

class BenchHome {
public:
    BenchHome();
    QString Path() const { return dir_.path(); }
    // The program's data folder inside it, made.
    QString DataFolder() const;

private:
    QTemporaryDir dir_;
};
