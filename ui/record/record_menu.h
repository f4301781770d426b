// The record's items in the table window's Game menu, above its separator before Exit.
#pragma once

#include <QString>

class QAction;

namespace corvane::ui {

class TableWindow;

QAction* addRecordItem(TableWindow& window, const char* objectName, const QString& caption);

} // namespace corvane::ui
