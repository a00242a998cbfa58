#pragma once

#include <QMap>
#include <QString>

// Both skins share one set of rules and differ only in the values put into them,
// so a control kind can never be styled in one skin and forgotten in the other.
// Each "@name" in the rules is replaced by values["name"].
QString SkinStyleSheet(const QMap<QString, QString>& values);
QString SkinTabStyleSheet(const QMap<QString, QString>& values);
