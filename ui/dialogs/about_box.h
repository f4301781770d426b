// The about box: the logo, the program's name and version, a credit and a description line, and
// the System Info button.
#pragma once

#include <QDialog>
#include <QPointer>

class QMessageBox;

namespace corvane::ui {

// "Version 4.0.0", from the project's version numbers.
QString versionCaption();

// Open it with open(): modal to the table window without a nested event loop. OK, Enter and Esc
// close it.
class AboutBox : public QDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget* parent = nullptr);

    // The "System Info..." button. There is no system-information tool to start on this
    // platform, so it always says so, in a message box over the about box, which stays open.
    void StartSysInfo();

    // The message box StartSysInfo showed last, while it is open.
    QMessageBox* sysInfoMessage() const;

private:
    QPointer<QMessageBox> m_sysInfoMessage;
};

} // namespace corvane::ui
