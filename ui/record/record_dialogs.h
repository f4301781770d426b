// The record's small questions to the player, each without an event loop of its own: where to
// save a file, and that a file could not be written.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace corvane::ui {

// Asks where to save; `chosen` gets the file once the player picks one.
void askWhereToSave(QWidget* parent, const QString& title, const QString& fileName,
                    const QString& filter, std::function<void(const QString&)> chosen);
void tellNotWritten(QWidget* parent, const QString& file);

} // namespace corvane::ui
