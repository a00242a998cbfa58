#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>

#include "ui/text/caption_name.h"

void NameAfterCaption(QWidget* control, QLabel* caption) {
    caption->setBuddy(control);
    QString name = caption->text();
    const qsizetype colon = name.indexOf(QRegularExpression("[：:]"));
    if (colon >= 0)
        name.truncate(colon);
    name.remove('*');
    control->setAccessibleName(name.trimmed());
    // A combo box's drop-down list is a list of its own to a reader.
    if (auto* box = qobject_cast<QComboBox*>(control))
        box->view()->setAccessibleName(name.trimmed());
}
